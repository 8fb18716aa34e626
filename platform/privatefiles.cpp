#include "privatefiles.h"

#include <QTemporaryFile>

PrivateFiles::PrivateFiles() = default;

QString PrivateFiles::write(const QString &nameTemplate, const QByteArray &data)
{
    if (!m_dir.isValid())
        return {};
    QTemporaryFile file(m_dir.filePath(nameTemplate));
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    if (file.write(data) != data.size() || !file.flush()) {
        file.remove();
        return {};
    }
    return file.fileName();
}
