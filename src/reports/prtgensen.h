#pragma once
#include "app/screen.h"
#include "reports/gensenbatch.h"
#include "reports/printjob.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace minasel {
class NumberField;
}

namespace minasel::reports {

class EmployeePicker;
class WaitFrame;

// The year's withholding slips of the chosen employees (those with a year-end
// row of the year), on plain paper or on the preprinted form, with the
// preprinted form's position correction for the printer of this run.
class PrtGensen : public Screen {
    Q_OBJECT
public:
    explicit PrtGensen(AppContext& ctx, QWidget* parent = nullptr);

    // The print steps (tests replace the dialogs).
    PrintJob::Hooks& printHooks() { return m_hooks; }
    EmployeePicker* picker() const { return m_picker; }
    int year() const;
    GensenBatch::Paper paper() const;

    // read_data: the candidates of the year (the chosen list is emptied).
    bool readData();
    // cmdPrint_Click.
    void print();
    // The calibration sheet with the offset as it stands in the fields.
    void testPrint();
    // Where the last print went (PDF path or printer), "" when nothing printed.
    const QString& lastOutput() const { return m_lastOutput; }

private:
    void loadOffset();
    void saveOffset();

    NumberField* m_year;
    QRadioButton* m_form;
    QRadioButton* m_plain;
    EmployeePicker* m_picker;
    QLabel* m_printer;
    NumberField* m_offsetX;
    NumberField* m_offsetY;
    QPushButton* m_testPrint;
    QPushButton* m_print;
    QPushButton* m_cancel;
    WaitFrame* m_notice;
    PrintJob::Hooks m_hooks;
    QString m_printerName;
    QString m_lastOutput;
    bool m_loading = false;
};

} // namespace minasel::reports
