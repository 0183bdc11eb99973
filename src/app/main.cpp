#include "app/SubMain.h"

int main(int argc, char** argv) {
    return SubMain(argc, argv);
}
