#pragma once
#include <QGroupBox>

class QLabel;

namespace minasel {
class NumberField;
}

namespace minasel::masters {

// The employee's standard monthly remuneration (標準報酬月額) on the employee master:
// typed as it is, or found through the grade table from a typed monthly remuneration,
// with a note of how the health and pension premiums are computed from it.
class HyojunBox : public QGroupBox {
    Q_OBJECT
public:
    explicit HyojunBox(QWidget* parent = nullptr);

    long long hyojun() const;
    long long remuneration() const;   // 0 when the standard amount was typed directly
    void set(long long hyojun, long long remuneration);
    // "" when the standard amount is 0 (none) or one of the grade table.
    QString refusal() const;
    void setNote(const QString& text);
    NumberField* hyojunField() const { return m_hyojun; }

signals:
    void changed();

private:
    void remunerationLeft();
    void showGrade();

    NumberField* m_hyojun;
    NumberField* m_hosyu;
    QLabel* m_grade;
    QLabel* m_note;
};

} // namespace minasel::masters
