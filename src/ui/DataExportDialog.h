#pragma once

#include "ui/Prompts.h"

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

// The options of the data export: which span and which format.
class DataExportDialog : public QDialog {
    Q_OBJECT
public:
    DataExportDialog(const DataExportChoice& choice, QWidget* parent = nullptr);
    DataExportChoice Choice() const;

    QGroupBox* GroupBoxRange = nullptr;
    QRadioButton* RadioInView = nullptr;
    QRadioButton* RadioWhole = nullptr;
    QGroupBox* GroupBoxFormat = nullptr;
    QRadioButton* RadioLogFormat = nullptr;
    QRadioButton* RadioInternational = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;
};
