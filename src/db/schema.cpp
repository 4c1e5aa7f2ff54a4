#include "db/schema.h"

#include "db/changecounter.h"

#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>
#include <string>

namespace minasel::db {

namespace {

// The step that added CHANGECOUNT and its triggers.
constexpr int kChangeCounterStep = 6;

std::vector<Column> cols(std::initializer_list<const char*> list)
{
    // Each entry is "NAME:T" or "NAME:N".
    std::vector<Column> out;
    for (const char* s : list) {
        const QString t = QString::fromLatin1(s);
        const int colon = int(t.indexOf(QLatin1Char(':')));
        out.push_back({t.left(colon), t.mid(colon + 1) == QLatin1String("N") ? Kind::Number : Kind::Text});
    }
    return out;
}

std::vector<Column> meisaiColumns()
{
    std::vector<Column> c = cols({"CID:T", "SIKYUBI:T", "JGICODE:T", "SIKYUKBN:T", "JGIKBN:T", "BATIME:N",
        "KIHONKYU:N", "YHOSYU:N", "FOODTEATE:N", "TUKINTEATE:N", "SIKAKUTEATE:N", "HOMETEATE:N",
        "FAMITEATE:N", "FUKAKYU:N", "KINKYUNUM:N", "KINKYUTEATE:N", "KYUJITUNUM:N", "KYUJITUTEATE:N",
        "TIMEOUT1:N", "TIMETEATE1:N", "TIMEOUT2:N", "TIMETEATE2:N", "SINYATIME:N", "SINYATEATE:N",
        "SINYATIME2:N", "SINYATEATE2:N", "TIME60:N", "TIMETEATE60:N", "SINYATIME60:N", "SINYATEATE60:N"});
    for (int i = 1; i <= 9; ++i) {
        c.push_back({QStringLiteral("STEATE%1NM").arg(i), Kind::Text});
        c.push_back({QStringLiteral("STEATE%1").arg(i), Kind::Number});
    }
    for (const Column& x : cols({"KEKINTIME:N", "KEKINMONEY:N", "TIMEMONEY:N", "HEALTH:N", "NENKIN:N",
             "KOYOHOKEN:N", "TAX:N", "SIMIZEI:N"}))
        c.push_back(x);
    for (int i = 1; i <= 5; ++i) {
        c.push_back({QStringLiteral("SKOJYO%1NM").arg(i), Kind::Text});
        c.push_back({QStringLiteral("SKOJYO%1").arg(i), Kind::Number});
    }
    for (const Column& x : cols({"SYUKINNUM:N", "YUKYUNUM:N", "KEKINDAY:N", "KEKINDAYTIME:N", "FAMINUM:N",
             "NENTYOMONEY:N", "KEHOKBN:T"}))
        c.push_back(x);
    return c;
}

std::vector<Column> nentyoColumns()
{
    std::vector<Column> c = cols({"CID:T", "SIKYUYEAR:T", "JGICODE:T", "MAETEX:N", "TKMONTH1:T", "TKMONEY1:N",
        "TKMONTH2:T", "TKMONEY2:N", "MAEKEI:N", "MAETAXKEI:N", "HOKEN1:N", "FAMINUM:N", "FAMINUM1:N",
        "FAMINUM2:N", "FAMINUM3:N", "HAIGUKBN:N", "OLDHAIGU:N", "SYUGAISYA:N", "SYUGAISYA1:N",
        "SYUGAISYA2:N", "OLDNAM:N", "TKWOMAN:N", "SINGNAM:N", "GAKUSEI:N", "kyuryo:N", "KYURYOTAX:N",
        "syoyo:N", "SYOYOTAX:N", "HAIGUMONEY:N", "NENKINHOKEN:N", "SONGAIHOKEN:N", "SEMEHOKEN:N",
        "SONGAIHOKEN1:N", "KOJYOGO:N", "MAEHOKEN:N", "HOKEN2:N", "KAKEKIN:N", "SEMEKOJYO:N",
        "SONGAKOJYO:N", "HAIGUKOJYO:N", "HFKSKOJYO:N", "KOJYOKEI:N", "SASIMONEY:N", "YEARTAX:N",
        "TOKUKOJYO:N", "CALYEARTAX:N", "KAKUTETAX:N", "SASIHIKI:N", "TEKIYO1:T", "TEKIYO2:T",
        "NETYOKBN:N", "KKMNENKIN:N", "RESTARTDATE:T", "FAMINUM4:N", "SEMEHOKEN_NEW:N",
        "NENKINHOKEN_NEW:N", "KAIGOIRYOHOKEN:N", "TEKIYO3:T", "FAMINUM5:N", "JYUTAKUKARINUM:N",
        "JYUTAKUKARIKIN:N", "RESTARTDATE2:T", "JYUTAKUKARIFLAG1:T", "JYUTAKUKARIFLAG2:T",
        "JYUTAKUKARIZAN1:N", "JYUTAKUKARIZAN2:N", "HAIGUSYANAME:T", "HAIGUSYANAMEKN:T",
        "HAIGUSYAMYNUM:T"});
    for (int i = 1; i <= 4; ++i) {
        c.push_back({QStringLiteral("FAMINAME%1").arg(i), Kind::Text});
        c.push_back({QStringLiteral("FAMINAMEKN%1").arg(i), Kind::Text});
        c.push_back({QStringLiteral("FAMIMYNUM%1").arg(i), Kind::Text});
    }
    c.push_back({QStringLiteral("FAMI5"), Kind::Text});
    for (int i = 1; i <= 4; ++i) {
        c.push_back({QStringLiteral("NESYONAME%1").arg(i), Kind::Text});
        c.push_back({QStringLiteral("NESYONAMEKN%1").arg(i), Kind::Text});
        c.push_back({QStringLiteral("NESYOMYNUM%1").arg(i), Kind::Text});
    }
    c.push_back({QStringLiteral("NESYO5"), Kind::Text});
    c.push_back({QStringLiteral("TYOUSEISW"), Kind::Number});
    return c;
}

std::vector<Column> nentyoSinkokuColumns()
{
    std::vector<Column> c = cols({"CID:T", "SIKYUYEAR:T", "JGICODE:T"});
    // 特定親族 (relatives aged 19-22 who are not dependants): up to four, then a remark.
    for (int i = 1; i <= 4; ++i)
        for (const Column& x : {Column{QStringLiteral("TOKUNAME%1").arg(i), Kind::Text},
                                Column{QStringLiteral("TOKUNAMEKN%1").arg(i), Kind::Text},
                                Column{QStringLiteral("TOKUMYNUM%1").arg(i), Kind::Text},
                                Column{QStringLiteral("TOKUSYOTOKU%1").arg(i), Kind::Number}})
            c.push_back(x);
    // UNDER23: a dependant under 23 exists (0/1). KIHONSW 1: the employee declared
    // KIHONSYOTOKU as the estimate of the year's total income (基礎控除申告書).
    for (const Column& x : cols({"TOKU5:T", "UNDER23:N", "KIHONSW:N", "KIHONSYOTOKU:N"}))
        c.push_back(x);
    return c;
}

std::vector<TableDef> buildTables()
{
    std::vector<TableDef> t;
    t.push_back({QStringLiteral("COMPANY"),
        cols({"CID:T", "COMPANY:T", "CFKN:T", "ZIP:T", "ADRSTDHK:T", "ADRS1:T", "ADRS2:T", "TEL:T", "FAX:T",
            "TYAKU:T", "TNAME:T", "TFKN:T", "KEKOHOKEN:N", "KEKOHOKEN2:N", "KONEHOKEN:N", "KOYOHOKENRITU:N",
            "KIJYUNTIME:N", "KYUJITUTANKA:N", "KINKYUTANKA:N", "JKGNOMAL:N", "JKGHOTEQ:N", "JKGNOMALSINYA:N",
            "JKGHOTESINYA:N", "JKGNOMAL60:N", "JKGSINYA60:N", "TOROKUBI:T", "HOJINNUM:T"}),
        {QStringLiteral("CID")}});
    t.push_back({QStringLiteral("FUKAKYU"), cols({"CID:T", "FUKACODE:T", "FUKANAME:T", "FUKAMONEY:N"}),
        {QStringLiteral("CID"), QStringLiteral("FUKACODE")}});
    t.push_back({QStringLiteral("JYUGYOIN"),
        cols({"CID:T", "JGICODE:T", "JGINAME:T", "JGIKANA:T", "SEX:T", "BIRTHDAY:T", "ZIP:T", "ADD1:T",
            "ADD2:T", "TELNO:T", "JGIKBN:T", "SYOKUMU:T", "NYUSYABI:T", "TAISYABI:T", "KIHONKYU:N", "YHOSYU:N",
            "FOODTEATE:N", "TUKINTEATE:N", "SIKACODE:T", "HOMETEATE:N", "FAMITEATE:N", "FUKACODE:T",
            "HEALTH:N", "NENKIN:N", "SIMIZEI:N", "YOBI1:N", "YOBI2:N", "YOBI3:N", "TIMEMONEY:N", "FAMINUM:N",
            "HAIGUKBN:T", "CHILD1:T", "CHILD2:T", "GAIJINKBN:T", "KEHOKBN:T", "KOYOKBN:T", "CALCUTAX:T",
            "MYNUMBER:T"}),
        {QStringLiteral("CID"), QStringLiteral("JGICODE")}});
    t.push_back({QStringLiteral("MEISAI"), meisaiColumns(),
        {QStringLiteral("CID"), QStringLiteral("SIKYUBI"), QStringLiteral("JGICODE"), QStringLiteral("SIKYUKBN")}});
    t.push_back({QStringLiteral("NENTYO"), nentyoColumns(),
        {QStringLiteral("CID"), QStringLiteral("SIKYUYEAR"), QStringLiteral("JGICODE")}});
    t.push_back({QStringLiteral("SIKAKU"), cols({"CID:T", "SIKACODE:T", "SIKANAME:T", "SIKAMONEY:N"}),
        {QStringLiteral("CID"), QStringLiteral("SIKACODE")}});
    t.push_back({QStringLiteral("SONOTA"),
        cols({"CID:T", "JGICODE:T", "SNTCODE:T", "SNTNAME:T", "SNTMONEY:N", "KEISANKBN:T"}),
        {QStringLiteral("CID"), QStringLiteral("JGICODE"), QStringLiteral("SNTCODE")}});
    t.push_back({QStringLiteral("SONOTAKOJYO"),
        cols({"CID:T", "JGICODE:T", "SNTCODE:T", "SNTNAME:T", "SNTMONEY:N"}),
        {QStringLiteral("CID"), QStringLiteral("JGICODE"), QStringLiteral("SNTCODE")}});
    t.push_back({QStringLiteral("BASIC"), cols({"PASSWORD:T", "CID:T"}), {}});
    t.push_back({QStringLiteral("BACKUP"), cols({"SEQNO:N", "TEXTNAME:T", "FLPNO:N", "KEISIKI:T"}),
        {QStringLiteral("SEQNO")}});
    t.push_back({QStringLiteral("FGLTMP"), cols({"TMPCODE:T", "TMPNAME:T"}), {}});
    t.push_back({QStringLiteral("FGRTMP"), cols({"TMPCODE:T", "TMPNAME:T"}), {}});
    for (int i = 0; i < 8; ++i)
        t[size_t(i)].id = i + 1;

    // Added by schema version 2.
    t.push_back({QStringLiteral("NENTYOSINKOKU"), nentyoSinkokuColumns(),
        {QStringLiteral("CID"), QStringLiteral("SIKYUYEAR"), QStringLiteral("JGICODE")},
        int(Table::NentyoSinkoku), 2});
    t.push_back({kPrintOffsetTable, cols({"PRTNAME:T", "FORMNAME:T", "HOSEIX:N", "HOSEIY:N"}),
        {QStringLiteral("PRTNAME"), QStringLiteral("FORMNAME")}, 0, 2});

    // Added by schema version 3: bank accounts for the salary transfer file. Names
    // are kept as the bank takes them (half-width kana); SIKYUDAY is the usual pay day.
    t.push_back({QStringLiteral("KAISYAGINKO"),
        cols({"CID:T", "IRAICODE:T", "IRAINAME:T", "GINKOCODE:T", "GINKONAME:T", "SITENCODE:T", "SITENNAME:T",
            "YOKINKBN:T", "KOZANO:T", "SIKYUDAY:N"}),
        {QStringLiteral("CID")}, int(Table::KaisyaGinko), 3});
    // FURIKOMIKBN "1": the net pay goes by transfer; "0": paid otherwise.
    t.push_back({QStringLiteral("JYUGYOINGINKO"),
        cols({"CID:T", "JGICODE:T", "GINKOCODE:T", "GINKONAME:T", "SITENCODE:T", "SITENNAME:T", "YOKINKBN:T",
            "KOZANO:T", "KOZANAME:T", "FURIKOMIKBN:T"}),
        {QStringLiteral("CID"), QStringLiteral("JGICODE")}, int(Table::JyugyoinGinko), 3});
    // Added by schema version 4: social insurance from the standard monthly remuneration.
    // SIENKBN "1": the child-support levy rate of the law for each premium month, "0": SIENRITU
    // (per cent) from its first month; TYOSYUKBN "1": premiums collected from the same month's
    // pay, "0": from the next month's (the usual way); JIGYOKBN: kind of business for the
    // employment-insurance rate ("1" general, "2" agriculture etc., "3" construction).
    t.push_back({QStringLiteral("SYAHOSETTEI"),
        cols({"CID:T", "SIENKBN:T", "SIENRITU:N", "TYOSYUKBN:T", "JIGYOKBN:T"}),
        {QStringLiteral("CID")}, int(Table::SyahoSettei), 4});
    // HYOJUNGAKU: the standard monthly remuneration of health insurance (the pension's is
    // the same amount within its own grades); HOSYUGAKU: the monthly remuneration it was
    // found from, 0 when it was entered directly.
    t.push_back({QStringLiteral("HYOJUNHOSYU"), cols({"CID:T", "JGICODE:T", "HYOJUNGAKU:N", "HOSYUGAKU:N"}),
        {QStringLiteral("CID"), QStringLiteral("JGICODE")}, int(Table::HyojunHosyu), 4});

    // Added by schema version 5: the municipality's notice of resident tax withheld
    // from pay (特別徴収). NENDO is the tax year: June of that year to May of the
    // next; GAKU06 ... GAKU05 the instalments in that order; HENKOTUKI the calendar
    // month from which the last change notice replaced them (0 for none).
    t.push_back({QStringLiteral("JUMINZEI"),
        cols({"CID:T", "JGICODE:T", "NENDO:T", "NENGAKU:N", "GAKU06:N", "GAKU07:N", "GAKU08:N", "GAKU09:N",
            "GAKU10:N", "GAKU11:N", "GAKU12:N", "GAKU01:N", "GAKU02:N", "GAKU03:N", "GAKU04:N", "GAKU05:N",
            "HENKOTUKI:N"}),
        {QStringLiteral("CID"), QStringLiteral("JGICODE"), QStringLiteral("NENDO")}, int(Table::Juminzei), 5});
    return t;
}

bool exec(QSqlDatabase& db, const QString& sql, QString* error)
{
    QSqlQuery q(db);
    if (!q.exec(sql)) {
        if (error)
            *error = q.lastError().text() + QStringLiteral(" (") + sql + QStringLiteral(")");
        return false;
    }
    return true;
}

bool createTables(QSqlDatabase& db, int version, QString* error)
{
    for (const TableDef& t : allTables()) {
        if (t.since != version)
            continue;
        QStringList defs;
        for (const Column& c : t.columns)
            defs << c.name + (c.kind == Kind::Number ? QStringLiteral(" DOUBLE") : QStringLiteral(" TEXT"));
        if (!exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(t.name, defs.join(QStringLiteral(", "))), error))
            return false;
        if (!t.key.isEmpty()) {
            if (!exec(db, QStringLiteral("CREATE UNIQUE INDEX UX_%1 ON %1 (%2)").arg(t.name, t.key.join(QStringLiteral(", "))), error))
                return false;
        }
        // Company data added after the change counter counts its changes too.
        if (t.id != 0 && version > kChangeCounterStep && !ChangeCounter::addTriggers(db, t.name, error))
            return false;
    }
    if (version != 1)
        return true;
    // The statement and year-end reads go by company and month or year.
    return exec(db, QStringLiteral("CREATE INDEX IX_MEISAI_MONTH ON MEISAI (CID, SIKYUBI, SIKYUKBN)"), error)
        && exec(db, QStringLiteral("CREATE INDEX IX_MEISAI_JGI ON MEISAI (CID, JGICODE, SIKYUBI)"), error);
}

// The BACKUP rows of the company tables added by `version`.
bool addBackupRows(QSqlDatabase& db, int version, QString* error)
{
    for (Table t : companyTables()) {
        const TableDef& d = tableDef(t);
        if (d.since != version)
            continue;
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO BACKUP VALUES(?, ?, ?, ?)"));
        q.addBindValue(double(int(t)));
        q.addBindValue(QStringLiteral("T_%1").arg(int(t), 3, 10, QLatin1Char('0')));
        q.addBindValue(double(d.columnCount()));
        q.addBindValue(d.name);
        if (!q.exec()) {
            if (error)
                *error = q.lastError().text();
            return false;
        }
    }
    return true;
}

// Upgrade steps: step n brings a file from version n-1 to n. Step 1 is the first schema.
bool runStep(QSqlDatabase& db, int step, QString* error)
{
    switch (step) {
    case 1:
        return createTables(db, 1, error) && exec(db, QStringLiteral("INSERT INTO BASIC VALUES('', '')"), error)
            && addBackupRows(db, 1, error);
    case 2:
        return createTables(db, 2, error) && addBackupRows(db, 2, error);
    case 3:
        return createTables(db, 3, error) && addBackupRows(db, 3, error);
    case 4:
        return createTables(db, 4, error) && addBackupRows(db, 4, error);
    case 5:
        return createTables(db, 5, error) && addBackupRows(db, 5, error);
    case kChangeCounterStep:
        return ChangeCounter::install(db, kChangeCounterStep, error);
    default:
        if (error)
            *error = QStringLiteral("unknown schema step %1").arg(step);
        return false;
    }
}

} // namespace

int TableDef::indexOf(const QString& column) const
{
    for (int i = 0; i < int(columns.size()); ++i)
        if (columns[i].name.compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const std::vector<TableDef>& allTables()
{
    static const std::vector<TableDef> tables = buildTables();
    return tables;
}

const TableDef& tableDef(Table t)
{
    for (const TableDef& d : allTables())
        if (d.id == int(t))
            return d;
    throw std::invalid_argument("unknown table number " + std::to_string(int(t)));
}

const TableDef& tableDefByName(const QString& name)
{
    for (const TableDef& t : allTables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    throw std::invalid_argument("unknown table " + name.toStdString());
}

QList<Table> dataTables()
{
    return {Table::Company, Table::Fukakyu, Table::Jyugyoin, Table::Meisai, Table::Nentyo,
            Table::Sikaku, Table::Sonota, Table::SonotaKojyo};
}

QList<Table> sideTables()
{
    return {Table::NentyoSinkoku, Table::KaisyaGinko, Table::JyugyoinGinko, Table::SyahoSettei, Table::HyojunHosyu,
            Table::Juminzei};
}

QList<Table> companyTables()
{
    return dataTables() + sideTables();
}

int schemaVersion(QSqlDatabase db)
{
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("PRAGMA user_version")) && q.next())
        return q.value(0).toInt();
    return -1;
}

bool upgradeSchema(QSqlDatabase db, QString* error)
{
    int version = schemaVersion(db);
    if (version < 0) {
        if (error)
            *error = QStringLiteral("schema version unreadable");
        return false;
    }
    if (version > kSchemaVersion) {
        if (error)
            *error = QStringLiteral("このデータベースは新しい版のミナセルで作られています。");
        return false;
    }
    while (version < kSchemaVersion) {
        const int step = version + 1;
        if (!db.transaction()) {
            if (error)
                *error = db.lastError().text();
            return false;
        }
        if (!runStep(db, step, error) || !exec(db, QStringLiteral("PRAGMA user_version = %1").arg(step), error)) {
            db.rollback();
            return false;
        }
        if (!db.commit()) {
            if (error)
                *error = db.lastError().text();
            db.rollback();
            return false;
        }
        version = step;
    }
    return true;
}

bool createSchema(QSqlDatabase db, QString* error)
{
    if (schemaVersion(db) != 0) {
        if (error)
            *error = QStringLiteral("database is not empty");
        return false;
    }
    return upgradeSchema(db, error);
}

} // namespace minasel::db
