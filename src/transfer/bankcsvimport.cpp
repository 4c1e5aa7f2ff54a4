#include "transfer/bankcsvimport.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "masters/sqlfailure.h"

#include <QSqlQuery>
#include <QStringDecoder>
#include <algorithm>

namespace minasel::transfer {

namespace {

enum { Code, BankCode, BranchCode, Kind, Number, Holder, BankName, BranchName };

bool decode(const QByteArray& bytes, QString* text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString t = utf8(bytes);
    if (!utf8.hasError()) {
        if (t.startsWith(QChar(0xFEFF)))
            t.remove(0, 1);
        *text = t;
        return true;
    }
    // Spreadsheet programs on Japanese desktops save CSV in Shift_JIS.
    QStringDecoder sjis("Shift_JIS");
    if (!sjis.isValid())
        return false;
    t = sjis(bytes);
    if (sjis.hasError())
        return false;
    *text = t;
    return true;
}

QString accountKind(const QString& field)
{
    const QString k = field.trimmed().normalized(QString::NormalizationForm_KC);
    if (k == QLatin1String("1") || k == QStringLiteral("普通"))
        return QStringLiteral("1");
    if (k == QLatin1String("2") || k == QStringLiteral("当座"))
        return QStringLiteral("2");
    return {};
}

bool hasDigit(const QString& s)
{
    for (QChar c : s)
        if (c.isDigit())
            return true;
    return false;
}

} // namespace

BankCsvImport::BankCsvImport(AppContext& ctx, QString form) : m_ctx(ctx), m_form(std::move(form)) {}

QList<BankCsvImport::Record> BankCsvImport::parse(const QString& text)
{
    QList<Record> out;
    Record rec;
    QString field;
    bool quoted = false;
    int line = 1;
    rec.line = 1;
    // A spreadsheet writes its formatted empty rows as ",,,,,": they are no lines of data.
    auto endRecord = [&]() {
        rec.fields << field;
        if (std::any_of(rec.fields.cbegin(), rec.fields.cend(), [](const QString& f) { return !f.trimmed().isEmpty(); }))
            out << rec;
        rec = Record{};
        field.clear();
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            rec.fields << field;
            field.clear();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            endRecord();
            rec.line = ++line;
        } else {
            field += c;
        }
    }
    endRecord();
    return out;
}

bool BankCsvImport::read(const QByteArray& file, QList<Row>* rows, QString* error)
{
    rows->clear();
    QString text;
    if (!decode(file, &text)) {
        *error = QStringLiteral("ファイルの文字コードを読み取れません。UTF-8 か Shift_JIS で保存して下さい。");
        return false;
    }
    // The employees of the company, and the accounts they have (whose names a line without names keeps).
    QMap<QString, QString> names;
    {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT JGICODE, JGINAME FROM JYUGYOIN WHERE CID = ?"));
        q.addBindValue(m_ctx.companyId);
        if (!masters::execOrReport(m_ctx, q, m_form + QStringLiteral(".read_jyugyoin"))) {
            *error = QStringLiteral("従業員を読み込めませんでした。");
            return false;
        }
        while (q.next())
            names.insert(NullToStr(q.value(0)).trimmed(), NullToStr(q.value(1)).trimmed());
    }
    QMap<QString, EmployeeBank> existing;
    if (!BankAccounts(m_ctx, m_form).readEmployees(&existing)) {
        *error = QStringLiteral("振込口座を読み込めませんでした。");
        return false;
    }

    QList<Record> records = parse(text);
    // A heading names its columns: neither an employee number nor a bank code in it. A
    // first line of data missing only its bank code is a faulty line, not a heading.
    if (!records.isEmpty() && !hasDigit(records.first().fields.value(Code))
        && !hasDigit(records.first().fields.value(BankCode)))
        records.removeFirst();
    QMap<QString, int> seen;
    for (const Record& r : records) {
        Row row;
        row.line = r.line;
        const QStringList& f = r.fields;
        EmployeeBank& e = row.bank;
        BankAccount& b = e.account;
        e.code = NormalizeEmployeeCode(f.value(Code).normalized(QString::NormalizationForm_KC));
        b = {f.value(BankCode).trimmed(), f.value(BankName), f.value(BranchCode).trimmed(), f.value(BranchName),
             accountKind(f.value(Kind)), f.value(Number).trimmed()};
        e.holderName = f.value(Holder);
        e.transfer = true;
        row.name = names.value(e.code);
        if (f.size() < 6 || f.size() > 8)
            row.error = QStringLiteral("項目の数が %1 です（6 から 8 項目）。").arg(f.size());
        else if (e.code.isEmpty())
            row.error = QStringLiteral("従業員番号がありません。");
        else if (!names.contains(e.code))
            row.error = QStringLiteral("従業員番号 %1 は登録されていません。").arg(e.code);
        else if (seen.contains(e.code))
            row.error = QStringLiteral("従業員番号 %1 は %2 行目にもあります。").arg(e.code).arg(seen.value(e.code));
        else if (b.accountKind.isEmpty())
            row.error = QStringLiteral("預金種目「%1」は 1（普通）か 2（当座）で入力して下さい。").arg(f.value(Kind).trimmed());
        else
            row.error = BankAccounts::checkEmployee(&e);
        if (row.error.isEmpty()) {
            // A line without names keeps those already entered for the same bank and branch.
            const BankAccount old = existing.value(e.code).account;
            if (b.bankName.isEmpty() && old.bankCode == b.bankCode)
                b.bankName = old.bankName;
            if (b.branchName.isEmpty() && old.bankCode == b.bankCode && old.branchCode == b.branchCode)
                b.branchName = old.branchName;
        }
        if (!e.code.isEmpty() && !seen.contains(e.code))
            seen.insert(e.code, r.line);
        rows->append(row);
    }
    return true;
}

int BankCsvImport::errorCount(const QList<Row>& rows)
{
    int n = 0;
    for (const Row& r : rows)
        n += r.error.isEmpty() ? 0 : 1;
    return n;
}

QList<QStringList> BankCsvImport::preview(const QList<Row>& rows)
{
    QList<QStringList> table{{QStringLiteral("行"), QStringLiteral("従業員番号"), QStringLiteral("氏名"),
                              QStringLiteral("銀行"), QStringLiteral("支店"), QStringLiteral("種目"),
                              QStringLiteral("口座番号"), QStringLiteral("口座名義"), QStringLiteral("結果")}};
    for (const Row& r : rows) {
        const BankAccount& b = r.bank.account;
        table << QStringList{QString::number(r.line), r.bank.code, r.name, b.bankText(), b.branchText(),
                             b.accountKind.isEmpty() ? QString() : b.kindName(), b.accountNumber, r.bank.holderName,
                             r.error.isEmpty() ? QStringLiteral("OK") : r.error};
    }
    return table;
}

bool BankCsvImport::store(const QList<Row>& rows, QString* error)
{
    if (rows.isEmpty()) {
        *error = QStringLiteral("取り込むデータがありません。");
        return false;
    }
    if (const int n = errorCount(rows); n > 0) {
        *error = QStringLiteral("誤りのある行が %1 行あるため、取り込みませんでした。").arg(n);
        return false;
    }
    QList<EmployeeBank> banks;
    for (const Row& r : rows)
        banks << r.bank;
    if (!BankAccounts(m_ctx, m_form).saveEmployees(banks)) {
        *error = QStringLiteral("振込口座を登録できませんでした。");
        return false;
    }
    return true;
}

} // namespace minasel::transfer
