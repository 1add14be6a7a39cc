#include "ui/qt_file_access.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tessel {

namespace {

QString fromStd(const std::string &path)
{
    return QString::fromStdString(path);
}

} // namespace

bool QtFileAccess::exists(const std::string &path)
{
    return QFileInfo::exists(fromStd(path));
}

FileAccess::Content QtFileAccess::readAll(const std::string &path, std::size_t maxBytes)
{
    QFile file(fromStd(path));
    if (!file.open(QIODevice::ReadOnly))
        return {false, {}, file.errorString().toStdString()};
    const QByteArray bytes = file.read(static_cast<qint64>(maxBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        return {false, {}, file.errorString().toStdString()};
    return {true, bytes.toStdString(), {}};
}

std::optional<std::string> QtFileAccess::writeAtomically(const std::string &path,
                                                         std::string_view bytes)
{
    QSaveFile file(fromStd(path));
    // Unbuffered: a buffered write fails only in the flush of commit(), which does not
    // report it, and a cut file would replace the previous one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString().toStdString();
    const char *data = bytes.data();
    auto remaining = static_cast<qint64>(bytes.size());
    while (remaining > 0) {
        // A disk that fills up takes part of a write first and refuses the rest with the
        // reason; keep writing until then.
        const qint64 written = file.write(data, remaining);
        if (written <= 0) {
            const std::string reason = file.errorString().toStdString();
            file.cancelWriting();
            return reason;
        }
        data += written;
        remaining -= written;
    }
    if (!file.commit())
        return file.errorString().toStdString();
    return std::nullopt;
}

} // namespace tessel
