#include "db/database.h"

#include "app/appcontext.h"
#include "db/schema.h"
#include "db/seed.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

namespace minasel::db {

namespace {
const QFileDevice::Permissions kOwnerDir =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
const QFileDevice::Permissions kOwnerFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

bool makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        return false;
    QFile::setPermissions(path, kOwnerDir);
    return true;
}

void configure(QSqlDatabase& db)
{
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    q.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
}
} // namespace

QString getDataFolder(int currentYear, QString* error)
{
    QString folder = qEnvironmentVariable("MINASEL_DATA_DIR");
    if (folder.isEmpty()) {
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (base.isEmpty()) {
            if (error)
                *error = QStringLiteral("application data folder unknown");
            return QString();
        }
        folder = base + QStringLiteral("/Vora/Kyuyo");
    }
    folder = QDir::cleanPath(folder);
    if (QFileInfo(folder).isDir())
        return folder;
    if (!makeFolder(folder)) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(folder);
        return QString();
    }
    if (!createDatabaseFile(folder + QStringLiteral("/Kyuyo.db"), currentYear, error))
        return QString();
    return folder;
}

QSqlDatabase openFile(const QString& path, const QString& connectionName, QString* error)
{
    if (QSqlDatabase::contains(connectionName))
        QSqlDatabase::removeDatabase(connectionName);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    if (!db.open()) {
        if (error)
            *error = db.lastError().text();
        return db;
    }
    configure(db);
    return db;
}

bool createDatabaseFile(const QString& path, int currentYear, QString* error)
{
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("%1 already exists").arg(path);
        return false;
    }
    const QString name = QStringLiteral("minasel-create");
    bool ok = false;
    {
        QFile touch(path);
        if (!touch.open(QIODevice::WriteOnly)) {
            if (error)
                *error = touch.errorString();
            return false;
        }
        touch.close();
        touch.setPermissions(kOwnerFile);
        QSqlDatabase db = openFile(path, name, error);
        if (db.isOpen()) {
            ok = createSchema(db, error) && seedCompanies(db, currentYear, error);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok)
        QFile::remove(path);
    return ok;
}

bool openConnection(AppContext& ctx, QString* error)
{
    if (ctx.db().isOpen())
        return true;
    const QString path = ctx.databasePath();
    if (!QFileInfo(path).isFile()) {
        if (error)
            *error = QStringLiteral("%1 が見つかりません。").arg(path);
        return false;
    }
    QSqlDatabase db = openFile(path, ctx.connectionName(), error);
    if (!db.isOpen())
        return false;
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"))) {
        if (error)
            *error = probe.lastError().text();
        db.close();
        return false;
    }
    probe.finish();
    if (!upgradeSchema(db, error)) {
        db.close();
        return false;
    }
    return true;
}

void closeConnection(AppContext& ctx)
{
    const QString name = ctx.connectionName();
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen())
            db.close();
    }
    if (QSqlDatabase::contains(name))
        QSqlDatabase::removeDatabase(name);
}

} // namespace minasel::db
