#include "masters/employee.h"

namespace minasel::masters {

namespace {
QString num(double v)
{
    return QString::number(v, 'g', 15);
}
QString flag(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

QStringList Employee::toRow(const QString& cid) const
{
    const QString zero = QStringLiteral("0");
    return {cid, code, name, kana, sex, birthday, zip, add1, add2, tel, kbn, syokumu, nyusyabi, taisyabi,
            num(kihonkyu), num(yhosyu), num(food), num(tukin), sikacode, num(home), num(fami), fukacode,
            num(health), num(nenkin), num(simizei), zero, zero, zero, num(timemoney), num(faminum),
            flag(haigu), flag(child1), flag(child2), flag(gaijin), flag(kaigo), flag(koyo), flag(calcTax),
            myNumber};
}

} // namespace minasel::masters
