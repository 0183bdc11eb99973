#include "platform/qt/AtomicFile.h"

#include "platform/qt/QtText.h"

#include <QSaveFile>

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    QSaveFile file(toQString(path));
    // Unbuffered, so that a disk that fills up shows in the write: QSaveFile ignores the
    // failure of a flush at commit and would put a cut-short file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
