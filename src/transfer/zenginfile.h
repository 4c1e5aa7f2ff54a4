#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

namespace minasel::transfer {

// The bank's fixed-record transfer file for salaries (種別コード 11) and bonuses
// (12): a header, one data record per payee, a trailer and an end record, each
// 120 bytes, back to back or each followed by CR LF. Names are given already
// converted (BankKana) and are cut to their fields here.
class ZenginFile {
public:
    static constexpr int kRecordLength = 120;
    static constexpr long long kMaxAmount = 9999999999LL;

    enum class Kind { Salary = 11, Bonus = 12 };

    // 依頼人: the company's side.
    struct Header {
        Kind kind = Kind::Salary;
        QString clientCode;   // 依頼人コード, up to 10 digits
        QString clientName;   // 依頼人名
        QString date;         // 振込指定日 MMDD
        QString bankCode;     // 4 digits
        QString bankName;
        QString branchCode;   // 3 digits
        QString branchName;
        QString accountKind;  // "1" 普通, "2" 当座, "9" その他
        QString accountNumber;   // up to 7 digits
    };

    struct Payment {
        QString bankCode;
        QString bankName;
        QString branchCode;
        QString branchName;
        QString accountKind;     // "1" or "2"
        QString accountNumber;
        QString holderName;      // 受取人名
        long long amount = 0;
        QString employeeNumber;  // 社員番号: digits or "" (written as zeros)
        QString departmentCode;  // 所属コード: digits or ""
        QString payee;           // how messages name the payee ("00012 山田 太郎")
    };

    // What a file holds, read back from its bytes.
    struct Summary {
        int records = 0;        // data records
        long long total = 0;    // sum of their amounts
        int trailerCount = 0;
        long long trailerTotal = 0;
    };

    // The whole file; "" with *error (naming the payee) when a value does not fit
    // its field: codes that are not digits of the right length, an amount outside
    // 1 to 9,999,999,999, a name with a character the banks do not take.
    static QByteArray build(const Header& header, const QList<Payment>& payments, bool crlf, QString* error);

    // Reads a file back and checks it the way a bank's upload does: every record
    // 120 bytes (and CR LF after each when `crlf`), the records in the order
    // header, data, trailer, end, only the permitted bytes, numeric fields all
    // digits, every amount 1 to 9,999,999,999, the trailer's count and total equal
    // to the data records.
    static bool check(const QByteArray& file, bool crlf, Summary* summary, QString* error);

    static bool isDigits(const QString& s);
};

} // namespace minasel::transfer
