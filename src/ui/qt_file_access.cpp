#include "ui/qt_file_access.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

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
    // Read straight into the string handed back, sized once by the file's size: a full layout
    // is megabytes, each copy of which touches fresh pages. A file that reports no size (a
    // pipe) or grows meanwhile is read on in pieces, never beyond the limit.
    const std::size_t limit = maxBytes + 1;
    std::string bytes;
    bytes.resize(std::min<std::size_t>(std::size_t(std::max<qint64>(file.size(), 0)), limit));
    std::size_t filled = 0;
    while (true) {
        if (filled == bytes.size()) {
            if (bytes.size() >= limit)
                break;
            bytes.resize(std::min(limit, bytes.size() + 64 * 1024));
        }
        const qint64 got = file.read(bytes.data() + filled, qint64(bytes.size() - filled));
        if (got < 0)
            return {false, {}, file.errorString().toStdString()};
        if (got == 0)
            break;
        filled += std::size_t(got);
    }
    bytes.resize(filled);
    return {true, std::move(bytes), {}};
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
