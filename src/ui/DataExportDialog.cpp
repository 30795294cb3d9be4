#include "ui/DataExportDialog.h"

#include "core/LanguageTexts.h"
#include "output/OutputTexts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int TextCancel = 44;
constexpr int TextOK = 45;

QRadioButton* Radio(QWidget* parent, const char* name, int text) {
    auto* radio = new QRadioButton(Text(text), parent);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

QGroupBox* Group(QWidget* parent, const char* name, int text, QRadioButton* first,
                 QRadioButton* second) {
    auto* group = new QGroupBox(Text(text), parent);
    group->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(group);
    first->setParent(group);
    second->setParent(group);
    layout->addWidget(first);
    layout->addWidget(second);
    return group;
}
} // namespace

DataExportDialog::DataExportDialog(const DataExportChoice& choice, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DataExportDialog"));
    setWindowTitle(Text(TextExportData));
    RadioInView = Radio(this, "RadioInView", TextExportInView);
    RadioWhole = Radio(this, "RadioWhole", TextExportWhole);
    RadioLogFormat = Radio(this, "RadioLogFormat", TextExportLogFormat);
    RadioInternational = Radio(this, "RadioInternational", TextExportInternational);
    GroupBoxRange = Group(this, "GroupBoxRange", TextExportRange, RadioInView, RadioWhole);
    GroupBoxFormat =
        Group(this, "GroupBoxFormat", TextExportFormat, RadioLogFormat, RadioInternational);
    (choice.WholeAnalysis ? RadioWhole : RadioInView)->setChecked(true);
    (choice.International ? RadioInternational : RadioLogFormat)->setChecked(true);

    ButtonOK = new QPushButton(Text(TextOK), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(Text(TextCancel), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBoxRange);
    layout->addWidget(GroupBoxFormat);
    layout->addLayout(buttons);
}

DataExportChoice DataExportDialog::Choice() const {
    return {RadioWhole->isChecked(), RadioInternational->isChecked()};
}
