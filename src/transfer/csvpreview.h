#pragma once
#include "transfer/bankcsvimport.h"

#include <QDialog>

namespace minasel::transfer {

// The lines of an account CSV as they would be stored, the faulty ones marked
// with their fault; storing is offered only when no line has one.
class CsvPreview : public QDialog {
    Q_OBJECT
public:
    CsvPreview(const QList<BankCsvImport::Row>& rows, QWidget* parent = nullptr);
};

} // namespace minasel::transfer
