#include "reports/dspkojindaityo.h"

#include "app/appcontext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace minasel::reports {

DspKojinDaityo::DspKojinDaityo(AppContext& ctx)
    : LedgerDisplay(ctx, QStringLiteral("個人別賃金台帳表示"), QStringLiteral("dspKojinDaityo"))
{
    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setMinimumWidth(220);
        return l;
    };
    m_joined = label("lblNyusyabi");
    m_job = label("lblSyokumei");
    m_address = label("lblJyusyo");
    m_sex = label("lblSeibetu");
    auto* header = new QGridLayout;
    header->addWidget(m_joined, 0, 0);
    header->addWidget(m_job, 0, 1);
    header->addWidget(m_sex, 0, 2);
    header->addWidget(m_address, 1, 0, 1, 3);
    header->setColumnStretch(3, 1);
    topArea()->addLayout(header);
    setHeader(nullptr);
}

void DspKojinDaityo::load(const QString& year, const QList<PickerEntry>& employees)
{
    m_year = year;
    m_employees = employees;
    QStringList entries;
    for (const PickerEntry& e : employees)
        entries << e.code + QLatin1Char(' ') + e.name;
    entries << LedgerTable::allDataEntry();
    setEntries(entries);
    list()->setCurrentIndex(0);
}

void DspKojinDaityo::setHeader(const LedgerEmployee* e)
{
    m_joined->setText(QStringLiteral("　入社年月日：") + (e ? e->joinedText() : QString()));
    m_job->setText(QStringLiteral("　職名：") + (e ? e->jobName() : QString()));
    m_address->setText(QStringLiteral("　住所：") + (e ? e->address1 + QLatin1Char(' ') + e->address2 : QString()));
    m_sex->setText(QStringLiteral("　性別：") + (e ? e->sex : QString()));
}

bool DspKojinDaityo::read(const PickerEntry& e, KojinDaityo* out, bool* found)
{
    return KojinDaityoForm::read(ctx(), e.code.trimmed(), m_year, out, found,
                                 QStringLiteral("PrtKojinDaityo.get_title_data"),
                                 QStringLiteral("dspGetuDaityo.display_singledata"));
}

void DspKojinDaityo::showEntry(int index)
{
    if (index < m_employees.size()) {
        KojinDaityo year;
        bool found = false;
        if (!read(m_employees[index], &year, &found) || !found) {
            setHeader(nullptr);
            setTable(LedgerTable(QStringLiteral("月別")));
            return;
        }
        setHeader(&year.employee);
        setTable(LedgerTable::individual(year));
        return;
    }
    setHeader(nullptr);
    QList<KojinDaityo> years;
    for (const PickerEntry& e : m_employees) {
        KojinDaityo year;
        bool found = false;
        if (!read(e, &year, &found))
            break;
        if (found)
            years << year;
    }
    setTable(LedgerTable::individualAll(years));
}

QString DspKojinDaityo::csvName() const
{
    const int index = list()->currentIndex();
    if (index >= 0 && index < m_employees.size())
        return QStringLiteral("個人別賃金台帳_%1_%2").arg(m_year, m_employees[index].code.trimmed());
    return QStringLiteral("個人別賃金台帳_%1").arg(m_year);
}

} // namespace minasel::reports
