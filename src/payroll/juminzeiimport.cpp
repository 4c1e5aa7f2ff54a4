#include "payroll/juminzeiimport.h"

#include "app/valuehelpers.h"
#include "backup/backupreader.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

namespace minasel::payroll {

namespace {

// Spreadsheets on Japanese desktops save CSV in Shift_JIS; anything that is not UTF-8
// is read as that.
QByteArray asUtf8(const QByteArray& data)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(data);
    if (!utf8.hasError())
        return data;
    QStringDecoder sjis("Shift_JIS");
    if (!sjis.isValid())
        return data;
    const QString converted = sjis(data);
    return sjis.hasError() ? data : converted.toUtf8();
}

// A whole amount in yen as typed in a spreadsheet: digits, with or without thousands
// separators and a yen sign. nullopt for anything else (a fraction, a letter, empty).
std::optional<long long> amountOf(QString text)
{
    text = text.trimmed().remove(QLatin1Char(',')).remove(QStringLiteral("円")).remove(QChar(0xA5));
    static const QRegularExpression number(QStringLiteral("^-?[0-9]{1,12}$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    return text.toLongLong();
}

// The month a heading names ("6月", "6", "06月"), 0 when it names none.
int monthOf(const QString& heading)
{
    static const QRegularExpression digits(QStringLiteral("^\\s*([0-9]{1,2})\\s*月?\\s*(分)?\\s*$"));
    const QRegularExpressionMatch m = digits.match(heading.normalized(QString::NormalizationForm_KC));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

void JuminzeiImport::refuse(int line, const QString& what)
{
    m_errors << QStringLiteral("%1 行目: %2").arg(line).arg(what);
}

JuminzeiImport JuminzeiImport::parse(const QByteArray& data, int year, const QMap<QString, QString>& employees,
                                     const QMap<QString, JuminzeiSchedule>& existing)
{
    JuminzeiImport r;
    backup::BackupReader reader(asUtf8(data), kColumns);
    QStringList row;
    QSet<QString> seen;
    bool first = true;
    backup::BackupReader::Status status;
    while ((status = reader.next(&row)) == backup::BackupReader::Status::Row) {
        const int lineNo = reader.rowLine();
        // Headings: text where a line of data has its yearly amount and June's.
        const bool heading = first && !amountOf(row[1]) && !amountOf(row[2]);
        first = false;
        if (heading) {
            for (int i = 0; i < JuminzeiSchedule::kMonths; ++i) {
                const int m = monthOf(row[2 + i]);
                if (m < 1 || m > 12) {
                    r.refuse(lineNo, QStringLiteral("%1 列目の見出し「%2」は 6月〜5月 のどの月でもありません。")
                                         .arg(3 + i)
                                         .arg(row[2 + i]));
                    break;
                }
                if (m != calendarMonthOf(i)) {
                    r.refuse(lineNo, QStringLiteral("%1 列目は %2月 のはずが「%3」です。月は 6月〜5月 の順に並べて下さい。")
                                         .arg(3 + i)
                                         .arg(calendarMonthOf(i))
                                         .arg(row[2 + i]));
                    break;
                }
            }
            continue;
        }

        Line l;
        l.lineNo = lineNo;
        l.schedule.year = year;
        l.schedule.code = NormalizeEmployeeCode(row[0].trimmed());
        if (row[0].trimmed().isEmpty()) {
            r.refuse(lineNo, QStringLiteral("従業員番号がありません。"));
            continue;
        }
        if (!employees.contains(l.schedule.code)) {
            r.refuse(lineNo, QStringLiteral("従業員番号 %1 の従業員は登録されていません。").arg(l.schedule.code));
            continue;
        }
        if (seen.contains(l.schedule.code)) {
            r.refuse(lineNo, QStringLiteral("従業員番号 %1 が重複しています。").arg(l.schedule.code));
            continue;
        }
        seen.insert(l.schedule.code);
        l.name = employees.value(l.schedule.code);

        bool amountsOk = true;
        for (int c = 1; c < kColumns && amountsOk; ++c) {
            const std::optional<long long> v = amountOf(row[c]);
            const QString what = c == 1 ? QStringLiteral("年税額") : QStringLiteral("%1月分").arg(calendarMonthOf(c - 2));
            if (!v) {
                r.refuse(lineNo, QStringLiteral("%1「%2」は金額として読めません。").arg(what, row[c]));
                amountsOk = false;
            } else if (*v < 0) {
                r.refuse(lineNo, QStringLiteral("%1がマイナスです。").arg(what));
                amountsOk = false;
            } else if (c == 1) {
                l.schedule.yearly = *v;
            } else {
                l.schedule.amounts[size_t(c - 2)] = *v;
            }
        }
        if (!amountsOk)
            continue;
        if (!l.schedule.addsUp()) {
            r.refuse(lineNo, QStringLiteral("6月〜5月の合計 %1 円が年税額 %2 円と一致しません。")
                                 .arg(formatAmount(l.schedule.total()), formatAmount(l.schedule.yearly)));
            continue;
        }
        if (existing.contains(l.schedule.code)) {
            l.before = existing.value(l.schedule.code);
            // A notice read again keeps the month of its last change; new amounts have none.
            JuminzeiSchedule same = l.schedule;
            same.changedFrom = l.before->changedFrom;
            l.change = same == *l.before ? Change::Same : Change::Changed;
            if (l.change == Change::Same)
                l.schedule = same;
        }
        r.m_lines.append(l);
    }
    if (status == backup::BackupReader::Status::Error)
        r.m_errors << reader.errorText();
    else if (r.m_lines.isEmpty() && r.m_errors.isEmpty())
        r.m_errors << QStringLiteral("取り込む行がありません。");
    return r;
}

QList<JuminzeiSchedule> JuminzeiImport::schedules() const
{
    QList<JuminzeiSchedule> out;
    for (const Line& l : m_lines)
        if (l.change != Change::Same)
            out << l.schedule;
    return out;
}

int JuminzeiImport::count(Change c) const
{
    return int(std::count_if(m_lines.begin(), m_lines.end(), [c](const Line& l) { return l.change == c; }));
}

QString JuminzeiImport::changeText(Change c)
{
    switch (c) {
    case Change::New: return QStringLiteral("新規");
    case Change::Changed: return QStringLiteral("変更");
    case Change::Same: return QStringLiteral("変更なし");
    }
    return QString();
}

QStringList JuminzeiImport::previewHeadings()
{
    QStringList h{QStringLiteral("行"), QStringLiteral("区分"), QStringLiteral("従業員番号"), QStringLiteral("氏名"),
                  QStringLiteral("年税額"), QStringLiteral("登録済みの年税額")};
    for (int i = 0; i < JuminzeiSchedule::kMonths; ++i)
        h << QStringLiteral("%1月").arg(calendarMonthOf(i));
    return h;
}

QList<QStringList> JuminzeiImport::previewRows() const
{
    QList<QStringList> rows;
    for (const Line& l : m_lines) {
        QStringList r{QString::number(l.lineNo), changeText(l.change), l.schedule.code, l.name,
                      formatAmount(l.schedule.yearly), l.before ? formatAmount(l.before->yearly) : QString()};
        for (long long a : l.schedule.amounts)
            r << formatAmount(a);
        rows << r;
    }
    return rows;
}

} // namespace minasel::payroll
