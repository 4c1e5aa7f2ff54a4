#pragma once
#include "app/screen.h"
#include "nentyo/nentyorepository.h"

#include <QHash>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTabWidget;
class QTableWidget;

namespace minasel {
class NumberField;
class TextField;
}

namespace minasel::nentyo {

// 年末調整: one employee's year-end adjustment for one year. The pay of the year comes
// from the statements, the employee's declarations are typed on four tab pages, the
// result is recomputed after every change, and registering stores the year-end row,
// its declarations and the December balance together.
class InpNentyo : public Screen {
    Q_OBJECT
public:
    explicit InpNentyo(AppContext& ctx);

    QString year() const;
    QString employeeCode() const;   // first five characters of the chosen entry
    // The adjustment as the screen shows it, results included: what F1 stores and F5 prints.
    NentyoRecord recordOnScreen() const;
    bool preprintedForm() const;    // 原紙 chosen (else 普通紙)
    const NentyoResult& lastResult() const { return m_result; }

signals:
    // F5 after its checks: print the withholding slip of this employee from these rows
    // (NENTYO and NENTYOSINKOKU, column order as stored), on the preprinted form or plain paper.
    void printRequested(const db::RowValues& nentyo, const db::RowValues& sinkoku, bool preprintedForm);

protected:
    bool canClose() override;

private:
    // A grid cell that holds a column of the record.
    enum class CellKind { Text, Amount, MyNumber };
    struct Cell {
        QTableWidget* grid;
        int row;
        int column;
        CellKind kind;
    };
    struct DateBoxes {
        TextField* year;
        TextField* month;
        TextField* day;
    };

    void buildLayout();
    QWidget* buildHeader();
    QWidget* buildPayAndLaw();
    QWidget* buildBoxes();
    QWidget* buildCarryOverPage();
    QWidget* buildFamilyPage();
    QWidget* buildNumbersPage();
    QWidget* buildHousingPage();
    QWidget* buildDeclarationsPage();
    NumberField* bindAmount(QWidget* parent, const QString& column);
    NumberField* bindCount(QWidget* parent, const QString& column);
    NumberField* bindResult(QWidget* parent, const QString& column);
    QCheckBox* bindCheck(QWidget* parent, const QString& column, const QString& text);
    QTableWidget* personGrid(QWidget* parent, const QString& name, const QStringList& rows, const QString& prefix,
                             const QString& restColumn, bool withIncome);
    DateBoxes dateBoxes(QWidget* parent, const QString& column);
    void connectInputs();

    // The operations of the screen.
    bool set_jyugyoin_combo();
    void employeeChosen();
    QString screenKey() const;   // "year/code" the boxes name
    // True when the record on the screen is the boxes' year and employee; else that one
    // is shown first, and F1/F5 act on the next press, never on another year's record.
    bool showsChosenRecord();
    void read_zennendo_data();
    void clear_form();
    bool check_input(const QString& caption);
    bool checkMyNumbers(const NentyoRecord& record);
    void cmdWrite_Click();
    void cmdDelete_Click();
    void cmdPrint_Click();
    void yearFinished();
    void dateFinished(const DateBoxes& d);

    NentyoRecord collect() const;
    void showRecord(const NentyoRecord& record);
    void recalculate();   // calc_kyuyo_syotoku and calc_nentyo
    void adjustmentSwitched();
    void spouseSwitched();
    void userChanged();
    void setStatus(const QString& text);

    NentyoRepository m_repo;
    QString m_currentYear;
    QString m_shownKey;   // "year/code" of the record on the screen; "" for none
    NentyoResult m_result;
    bool m_loading = false;
    // Premiums and credit typed before しない was chosen, given back with する.
    QHash<QString, double> m_heldWhileNotAdjusted;

    QHash<QString, NumberField*> m_numbers;
    QHash<QString, QCheckBox*> m_checks;
    QHash<QString, TextField*> m_texts;
    QHash<QString, QComboBox*> m_combos;
    QHash<QString, Cell> m_cells;
    QHash<QString, DateBoxes> m_dates;

    QScrollArea* m_scroll = nullptr;
    QLineEdit* m_txtYear = nullptr;
    QComboBox* m_cmbJyugyoin = nullptr;
    QRadioButton* m_optSuru = nullptr;
    QRadioButton* m_optSinai = nullptr;
    QRadioButton* m_optGensi = nullptr;
    QRadioButton* m_optFutusi = nullptr;
    QRadioButton* m_optHaiguAri = nullptr;
    QRadioButton* m_optHaiguNasi = nullptr;
    QTableWidget* m_flxKyuyo = nullptr;
    QTableWidget* m_flxTokubetu = nullptr;
    QTableWidget* m_flxHaigu = nullptr;
    QTabWidget* m_tabs = nullptr;
    QLabel* m_lblRules = nullptr;
    QLabel* m_lblNotice = nullptr;
    QLabel* m_lblStatus = nullptr;
    std::array<QLabel*, 4> m_lawAmounts{};   // 合計所得金額, 所得金額調整控除額, 基礎控除額, 特定親族特別控除額
    QPushButton* m_cmdWrite = nullptr;
    QPushButton* m_cmdZennendo = nullptr;
    QPushButton* m_cmdDelete = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

} // namespace minasel::nentyo
