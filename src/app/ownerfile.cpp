#include "app/ownerfile.h"

#include <QSaveFile>

namespace minasel {

bool writeOwnerFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("ファイル「%1」を作成できません。（%2）").arg(path, file.errorString());
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("ファイル「%1」を書き込めません。（%2）").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace minasel
