#include "clisession.h"

#include "app/valuehelpers.h"
#include "climain.h"
#include "db/database.h"
#include "reports/fonts.h"
#include "reports/pdfcanvas.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSqlQuery>
#include <algorithm>

namespace minasel::cli {

Messages::Answer StderrMessages::show(Icon icon, const QString& title, const QString& text, Buttons, Answer defaultAnswer)
{
    const bool question = icon == Icon::Question;
    err() << title << ": " << (question ? text : QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))) << "\n";
    err().flush();
    return question && yes ? Answer::Yes : defaultAnswer;
}

CliSession::CliSession(const QString& connectionName) : m_ctx(m_messages, m_clock)
{
    m_ctx.setConnectionName(connectionName);
}

CliSession::~CliSession()
{
    db::closeConnection(m_ctx);
}

bool CliSession::open(const QString& dataDir, Use use)
{
    if (use != Use::Creates && !QFileInfo(QDir(dataDir).filePath(QStringLiteral("Kyuyo.db"))).isFile()) {
        err() << "error: no Kyuyo.db in " << dataDir << "\n";
        return false;
    }
    if (use != Use::Reads) {
        m_lock = std::make_unique<WriterLock>(dataDir);
        if (!m_lock->held()) {
            err() << "error: " << m_lock->refusal().replace(QLatin1Char('\n'), QLatin1Char(' ')) << "\n";
            return false;
        }
    }
    m_ctx.setDataFolder(QDir(dataDir).absolutePath());
    m_ctx.terminate = [](int code) { std::exit(code == 0 ? 1 : code); };
    QString error;
    if (use == Use::Creates && !QFileInfo(m_ctx.databasePath()).isFile()) {
        if (!db::createDatabaseFile(m_ctx.databasePath(), m_clock.today().year(), &error)) {
            err() << "error: cannot create the database: " << error << "\n";
            return false;
        }
        out() << "created " << m_ctx.databasePath() << "\n";
    }
    m_ctx.log().open(m_ctx.dataFolder());
    if (!db::openConnection(m_ctx, &error, use == Use::Reads ? db::Access::ReadOnly : db::Access::ReadWrite)) {
        err() << "error: cannot open the database: " << error << "\n";
        return false;
    }
    return true;
}

bool CliSession::chooseCompany(const QString& cid)
{
    QSqlQuery q(m_ctx.db());
    q.prepare(QStringLiteral("SELECT COMPANY FROM COMPANY WHERE CID = ?"));
    q.addBindValue(cid);
    if (!q.exec() || !q.next()) {
        err() << "error: company " << cid << " does not exist\n";
        return false;
    }
    m_ctx.companyId = cid;
    m_ctx.companyName = q.value(0).toString();
    return true;
}

bool CliSession::openCompany(const Options& o, Use use)
{
    return open(o.value(QStringLiteral("data-dir")), use) && chooseCompany(o.value(QStringLiteral("company")));
}

bool openPdf(reports::PdfCanvas& canvas)
{
    installFontSubstitutions();
    if (canvas.open())
        return true;
    err() << "error: " << canvas.errorString() << "\n";
    return false;
}

bool canDraw(const char* what)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return true;
    err() << "error: drawing " << what << " needs a GUI application object\n";
    return false;
}

QStringList pickEmployees(const QList<reports::PickerEntry>& candidates, const QString& list,
                          QList<reports::PickerEntry>* chosen)
{
    chosen->clear();
    QStringList missing;
    for (const QString& raw : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        // "2" is 00002, as the picker on the screens reads it.
        const QString code = NormalizeEmployeeCode(raw);
        auto it = std::find_if(candidates.begin(), candidates.end(),
                               [&](const reports::PickerEntry& e) { return e.code == code; });
        if (it == candidates.end())
            missing << code;
        else if (!chosen->contains(*it))
            chosen->append(*it);
    }
    std::sort(chosen->begin(), chosen->end(),
              [](const reports::PickerEntry& a, const reports::PickerEntry& b) { return a.code < b.code; });
    return missing;
}

} // namespace minasel::cli
