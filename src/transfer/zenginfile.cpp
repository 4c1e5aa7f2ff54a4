#include "transfer/zenginfile.h"

#include "transfer/bankkana.h"

namespace minasel::transfer {

namespace {

bool allDigits(const QString& s)
{
    return ZenginFile::isDigits(s);
}

bool allDigits(const QByteArray& s)
{
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// One record filled field by field; the first value that does not fit is kept as
// the error and the record is then worthless.
class Record {
public:
    explicit Record(QString who) : m_who(std::move(who)) {}

    // Digits right-aligned and zero-filled; `exact` when the field takes no fewer digits.
    void number(const QString& value, int width, const QString& field, bool exact = false)
    {
        const QString v = value.trimmed();
        if (v.isEmpty() || !allDigits(v) || v.size() > width || (exact && v.size() != width))
            fail(QStringLiteral("%1「%2」は%3桁%4の数字で入力して下さい。")
                     .arg(field, value, QString::number(width), exact ? QString() : QStringLiteral("以内")));
        else
            m_bytes += v.rightJustified(width, QLatin1Char('0')).toLatin1();
    }
    void amount(long long value, int width)
    {
        m_bytes += QByteArray::number(value).rightJustified(width, '0');
    }
    // A name converted for the bank, cut to the field, space-filled.
    void name(const QString& value, int width, BankKana::Purpose purpose, const QString& field)
    {
        const BankKana::Result r = BankKana::convert(value, purpose);
        if (!r.ok()) {
            fail(field + QStringLiteral("の") + r.error);
            return;
        }
        // The bank and branch names are for reading only; the account names are compared.
        if (r.text.isEmpty() && purpose == BankKana::Purpose::AccountName)
            fail(field + QStringLiteral("が入力されていません。"));
        m_bytes += BankKana::encode(BankKana::cut(r.text, width)).leftJustified(width, ' ');
    }
    void text(const char* fixed) { m_bytes += fixed; }
    void spaces(int n) { m_bytes += QByteArray(n, ' '); }

    void fail(const QString& why)
    {
        if (m_error.isEmpty())
            m_error = m_who.isEmpty() ? why : m_who + QStringLiteral("：") + why;
    }

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    const QByteArray& bytes() const { return m_bytes; }

private:

    QString m_who;
    QByteArray m_bytes;
    QString m_error;
};

QString optionalDigits(const QString& s, int width)
{
    const QString t = s.trimmed();
    return !t.isEmpty() && allDigits(t) && t.size() <= width ? t : QStringLiteral("0");
}

// The fields that hold digits, and where trailing spaces begin, per record type.
struct Field {
    int start;   // 1-based, as the bank's sheets count
    int length;
};
struct Layout {
    QList<Field> digits;
    int spacesFrom;
};

const Layout& layoutOf(char type)
{
    static const Layout header{{{1, 1}, {2, 2}, {4, 1}, {5, 10}, {55, 4}, {59, 4}, {78, 3}, {96, 1}, {97, 7}}, 104};
    static const Layout data{{{1, 1}, {2, 4}, {21, 3}, {39, 4}, {43, 1}, {44, 7}, {81, 10}, {91, 1}, {92, 10},
                              {102, 10}},
                             112};
    static const Layout trailer{{{1, 1}, {2, 6}, {8, 12}}, 20};
    static const Layout end{{{1, 1}}, 2};
    switch (type) {
    case '1': return header;
    case '2': return data;
    case '8': return trailer;
    default: return end;
    }
}

} // namespace

bool ZenginFile::isDigits(const QString& s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QByteArray ZenginFile::build(const Header& h, const QList<Payment>& payments, bool crlf, QString* error)
{
    const QByteArray eol = crlf ? QByteArray("\r\n") : QByteArray();
    QList<Record> records;

    Record head(QStringLiteral("依頼人"));
    head.text("1");
    head.text(h.kind == Kind::Bonus ? "12" : "11");
    head.text("0");
    head.number(h.clientCode, 10, QStringLiteral("依頼人コード"));
    head.name(h.clientName, 40, BankKana::Purpose::AccountName, QStringLiteral("依頼人名"));
    const int month = h.date.left(2).toInt();
    const int day = h.date.mid(2).toInt();
    if (h.date.size() != 4 || !allDigits(h.date) || month < 1 || month > 12 || day < 1 || day > 31)
        head.fail(QStringLiteral("振込指定日「%1」は月日（MMDD）の4桁で入力して下さい。").arg(h.date));
    else
        head.number(h.date, 4, QStringLiteral("振込指定日"), true);
    head.number(h.bankCode, 4, QStringLiteral("銀行番号"), true);
    head.name(h.bankName, 15, BankKana::Purpose::BankName, QStringLiteral("銀行名"));
    head.number(h.branchCode, 3, QStringLiteral("支店番号"), true);
    head.name(h.branchName, 15, BankKana::Purpose::BankName, QStringLiteral("支店名"));
    if (h.accountKind != QLatin1String("1") && h.accountKind != QLatin1String("2") && h.accountKind != QLatin1String("9"))
        head.fail(QStringLiteral("預金種目は 1（普通）・2（当座）・9（その他）のいずれかです。"));
    else
        head.text(h.accountKind == QLatin1String("1") ? "1" : h.accountKind == QLatin1String("2") ? "2" : "9");
    head.number(h.accountNumber, 7, QStringLiteral("口座番号"));
    head.spaces(17);
    records << head;

    long long total = 0;
    for (const Payment& p : payments) {
        Record r(p.payee);
        r.text("2");
        r.number(p.bankCode, 4, QStringLiteral("銀行番号"), true);
        r.name(p.bankName, 15, BankKana::Purpose::BankName, QStringLiteral("銀行名"));
        r.number(p.branchCode, 3, QStringLiteral("支店番号"), true);
        r.name(p.branchName, 15, BankKana::Purpose::BankName, QStringLiteral("支店名"));
        r.text("0000");
        if (p.accountKind == QLatin1String("1") || p.accountKind == QLatin1String("2"))
            r.text(p.accountKind == QLatin1String("1") ? "1" : "2");
        else
            r.fail(QStringLiteral("預金種目は 1（普通）・2（当座）のいずれかです。"));
        r.number(p.accountNumber, 7, QStringLiteral("口座番号"));
        r.name(p.holderName, 30, BankKana::Purpose::AccountName, QStringLiteral("受取人名"));
        if (p.amount < 1 || p.amount > kMaxAmount)
            r.fail(QStringLiteral("振込金額 %1 円は 1～9,999,999,999 円の範囲にありません。").arg(p.amount));
        else
            r.amount(p.amount, 10);
        r.text("0");
        r.number(optionalDigits(p.employeeNumber, 10), 10, QStringLiteral("社員番号"));
        r.number(optionalDigits(p.departmentCode, 10), 10, QStringLiteral("所属コード"));
        r.spaces(9);
        records << r;
        total += p.amount;
    }

    Record trailer(QString{});
    if (payments.size() > 999999 || total > 999999999999LL)
        trailer.fail(QStringLiteral("件数または合計金額がトレーラーの桁数を超えます。"));
    trailer.text("8");
    trailer.amount(payments.size(), 6);
    trailer.amount(total, 12);
    trailer.spaces(101);
    records << trailer;
    Record end(QString{});
    end.text("9");
    end.spaces(119);
    records << end;

    QByteArray file;
    for (const Record& r : records) {
        if (!r.ok()) {
            *error = r.error();
            return {};
        }
        file += r.bytes() + eol;
    }
    return file;
}

bool ZenginFile::check(const QByteArray& file, bool crlf, Summary* s, QString* error)
{
    *s = {};
    const int step = kRecordLength + (crlf ? 2 : 0);
    auto fail = [&](int record, const QString& why) {
        *error = record > 0 ? QStringLiteral("%1 件目のレコード: %2").arg(record).arg(why) : why;
        return false;
    };
    if (file.isEmpty() || file.size() % step != 0)
        return fail(0, QStringLiteral("ファイルの長さ（%1 バイト）が %2 バイトのレコードの倍数ではありません。")
                           .arg(file.size())
                           .arg(step));
    const int count = int(file.size() / step);
    if (count < 3)
        return fail(0, QStringLiteral("ヘッダー・トレーラー・エンドのレコードがそろっていません。"));
    for (int i = 0; i < count; ++i) {
        const QByteArray rec = file.mid(qsizetype(i) * step, kRecordLength);
        const int n = i + 1;
        if (crlf && file.mid(qsizetype(i) * step + kRecordLength, 2) != "\r\n")
            return fail(n, QStringLiteral("120 バイトの後に CR LF がありません。"));
        const char type = rec.at(0);
        const char expected = i == 0 ? '1' : i == count - 1 ? '9' : i == count - 2 ? '8' : '2';
        if (type != expected)
            return fail(n, QStringLiteral("データ区分が「%1」です（「%2」のはずです）。").arg(QLatin1Char(type)).arg(QLatin1Char(expected)));
        for (char b : rec)
            if (!BankKana::isFileByte(b))
                return fail(n, QStringLiteral("使えない文字（0x%1）があります。").arg(uchar(b), 2, 16, QLatin1Char('0')));
        const Layout& layout = layoutOf(type);
        for (const Field& f : layout.digits)
            if (!allDigits(rec.mid(f.start - 1, f.length)))
                return fail(n, QStringLiteral("%1 桁目から %2 桁の数字欄に数字以外があります。").arg(f.start).arg(f.length));
        if (rec.mid(layout.spacesFrom - 1) != QByteArray(kRecordLength - layout.spacesFrom + 1, ' '))
            return fail(n, QStringLiteral("%1 桁目からの空白欄に空白以外があります。").arg(layout.spacesFrom));
        if (type == '1' && rec.mid(1, 2) != "11" && rec.mid(1, 2) != "12")
            return fail(n, QStringLiteral("種別コードが給与（11）・賞与（12）ではありません。"));
        if (type == '2') {
            const long long amount = rec.mid(80, 10).toLongLong();
            if (amount < 1)
                return fail(n, QStringLiteral("振込金額が 0 円です。"));
            s->records += 1;
            s->total += amount;
        } else if (type == '8') {
            s->trailerCount = rec.mid(1, 6).toInt();
            s->trailerTotal = rec.mid(7, 12).toLongLong();
        }
    }
    if (s->trailerCount != s->records || s->trailerTotal != s->total)
        return fail(count - 1, QStringLiteral("トレーラーの件数・合計金額（%1 件 %2 円）がデータレコード（%3 件 %4 円）と一致しません。")
                                   .arg(s->trailerCount)
                                   .arg(s->trailerTotal)
                                   .arg(s->records)
                                   .arg(s->total));
    return true;
}

} // namespace minasel::transfer
