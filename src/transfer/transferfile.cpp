#include "transfer/transferfile.h"

#include "app/appcontext.h"
#include "app/ownerfile.h"

namespace minasel::transfer {

TransferFile::TransferFile(AppContext& ctx, QString form) : m_ctx(ctx), m_form(std::move(form)) {}

QString TransferFile::kindName(int kind)
{
    return kind == 2 ? QStringLiteral("賞与") : QStringLiteral("給与");
}

bool TransferFile::prepare(const Request& request, Result* result, QString* error)
{
    *result = Result{};
    result->request = request;
    bool found = false;
    if (!BankAccounts(m_ctx, m_form).readCompany(&result->company, &found)) {
        *error = QStringLiteral("会社の振込口座を読み込めませんでした。");
        return false;
    }
    if (!found) {
        *error = QStringLiteral("会社の振込口座（依頼人）が登録されていません。\n"
                                "会社情報設定の「振込口座設定」で登録して下さい。");
        return false;
    }
    QList<TransferLine> lines;
    if (!TransferData(m_ctx, m_form).read(request.payMonth, request.kind, &lines)) {
        *error = QStringLiteral("明細データを読み込めませんでした。");
        return false;
    }
    QMap<QString, TransferLine> byCode;
    for (const TransferLine& l : lines)
        byCode.insert(l.code, l);

    QList<ZenginFile::Payment> payments;
    QStringList codes = request.codes;
    codes.sort();
    codes.removeDuplicates();
    for (const QString& code : codes) {
        if (!byCode.contains(code)) {
            result->skipped << QStringLiteral("%1：明細が削除されています").arg(code);
            continue;
        }
        const TransferLine& l = byCode[code];
        if (!l.transferable()) {
            result->skipped << QStringLiteral("%1 %2：%3").arg(l.code, l.name, l.exclusion());
            continue;
        }
        const BankAccount& b = l.bank->account;
        payments.append({b.bankCode, b.bankName, b.branchCode, b.branchName, b.accountKind, b.accountNumber,
                         l.bank->holderName, l.netPay, l.code, QString(), l.code + QLatin1Char(' ') + l.name});
        result->lines.append(l);
        result->statementTotal += l.netPay;
    }
    if (payments.isEmpty()) {
        *error = QStringLiteral("振込できるデータがありません。");
        return false;
    }

    const CompanyBank& c = result->company;
    const BankAccount& a = c.account;
    const ZenginFile::Header header{request.kind == 2 ? ZenginFile::Kind::Bonus : ZenginFile::Kind::Salary,
                                    c.clientCode, c.clientName, request.date, a.bankCode, a.bankName,
                                    a.branchCode, a.branchName, a.accountKind, a.accountNumber};
    result->bytes = ZenginFile::build(header, payments, request.crlf, error);
    if (result->bytes.isEmpty())
        return false;
    QString why;
    if (!ZenginFile::check(result->bytes, request.crlf, &result->summary, &why)) {
        *error = QStringLiteral("振込データの検査で誤りが見つかりました。\n%1").arg(why);
        return false;
    }
    if (result->summary.trailerCount != int(result->lines.size())
        || result->summary.trailerTotal != result->statementTotal) {
        *error = QStringLiteral("振込データの合計（%1 件 %2 円）が明細の合計（%3 件 %4 円）と一致しません。")
                     .arg(result->summary.trailerCount)
                     .arg(result->summary.trailerTotal)
                     .arg(result->lines.size())
                     .arg(result->statementTotal);
        return false;
    }
    return true;
}

bool TransferFile::write(const QString& path, const QByteArray& bytes, QString* error)
{
    return writeOwnerFile(path, bytes, error);
}

} // namespace minasel::transfer
