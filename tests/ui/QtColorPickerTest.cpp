#include "ui/QtPrompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Accepts the picker that the next modal loop shows, after choosing `color` in it.
void AcceptPickerWith(const QColor& color, QColor* initial) {
    QTimer::singleShot(0, [color, initial] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* picker = qobject_cast<QColorDialog*>(widget); picker && picker->isVisible()) {
                *initial = picker->currentColor();
                picker->setCurrentColor(color);
                picker->accept();
                return;
            }
        ADD_FAILURE() << "no colour picker shown";
    });
}

} // namespace

TEST(QtColorPicker, ReturnsTheChoiceShowsCustomColoursRowByRowAndWritesNoSettingsFile) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    const QString qtFile = home.filePath(QStringLiteral("QtProject.conf"));

    Prompts::CustomColors custom{};
    for (size_t i = 0; i < custom.size(); ++i)
        custom[i] = static_cast<ColorRef>(i + 1); // red 1..16
    QtPrompts prompts;
    QColor initial;
    AcceptPickerWith(QColor(10, 20, 30), &initial);
    const auto chosen = prompts.ChooseColor(nullptr, 0x00FF0000, custom);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, 0x001E140Au);
    EXPECT_EQ(initial, QColor(0, 0, 255));
    // Qt numbers its grid column by column: the second colour of the first row is its index 2.
    EXPECT_EQ(QColorDialog::customColor(0), QColor(1, 0, 0));
    EXPECT_EQ(QColorDialog::customColor(2), QColor(2, 0, 0));
    EXPECT_EQ(QColorDialog::customColor(1), QColor(9, 0, 0));
    { const QColorDialog later; } // a later dialog must find nothing left to write
    EXPECT_FALSE(QFile::exists(qtFile));

    // Without the picker's care Qt does write the file; this is what the check above guards.
    QColorDialog::setCustomColor(3, Qt::green);
    { const QColorDialog plain; }
    EXPECT_TRUE(QFile::exists(qtFile));

    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
}
