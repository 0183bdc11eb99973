#include "platform/qt/AtomicFile.h"

#include "platform/qt/QtText.h"

#include <QSaveFile>

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    QSaveFile file(toQString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
