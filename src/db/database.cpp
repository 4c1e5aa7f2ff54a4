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

bool openConnection(AppContext& ctx, QString* error, Access access)
{
    if (ctx.db().isOpen())
        return true;
    const QString path = ctx.databasePath();
    auto failed = [&](const QString& text) {
        if (error)
            *error = text;
        QSqlDatabase db = ctx.db();
        if (db.isOpen())
            db.close();
        return false;
    };
    const QFileInfo info(path);
    if (!info.isFile())
        return failed(QStringLiteral("%1 が見つかりません。").arg(path));
    // The driver would happily turn an empty file into a new database: never.
    if (info.size() == 0)
        return failed(QStringLiteral("%1 は空のファイルです（0 バイト）。ファイルはそのままにしてあります。").arg(path));
    if (QSqlDatabase::contains(ctx.connectionName()))
        QSqlDatabase::removeDatabase(ctx.connectionName());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ctx.connectionName());
    db.setDatabaseName(path);
    if (access == Access::ReadOnly)
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        return failed(db.lastError().text());
    if (access == Access::ReadWrite)
        configure(db);
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'BASIC'"))
        || !probe.next())
        return failed(QStringLiteral("%1 はデータベースとして読めません。(%2)").arg(path, probe.lastError().text()));
    const bool ours = probe.value(0).toInt() == 1;
    probe.finish();
    const int version = schemaVersion(db);
    if (!ours || version < 1)
        return failed(QStringLiteral("%1 にミナセルの表がありません。ファイルはそのままにしてあります。").arg(path));
    if (access == Access::ReadOnly) {
        if (version != kSchemaVersion)
            return failed(QStringLiteral("%1 は古い版の形式です。先にミナセルを起動して更新して下さい。").arg(path));
        return true;
    }
    QString why;
    if (!upgradeSchema(db, &why))
        return failed(why);
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
