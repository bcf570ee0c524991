// SPDX-License-Identifier: MIT
#include "ui/button_input.h"
#include "ui/symbols.h"

#include "platform/application_id.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

/// An icon theme with a full-colour and a symbolic folder icon, both in plain red, as a
/// theme's icons are drawn in the theme's own colours.
class IconThemeTest : public ::testing::Test {
protected:
    IconThemeTest() {
        const QString apps = m_root.filePath("Test/scalable/apps");
        QDir().mkpath(apps);
        write("Test/index.theme", "[Icon Theme]\nName=Test\nDirectories=scalable/apps\n\n"
                                  "[scalable/apps]\nSize=16\nType=Scalable\nMinSize=8\n"
                                  "MaxSize=256\n");
        const QByteArray redSquare = "<svg xmlns='http://www.w3.org/2000/svg' width='16' "
                                     "height='16'><rect width='16' height='16' fill='red'/></svg>";
        write("Test/scalable/apps/folder.svg", redSquare);
        write("Test/scalable/apps/folder-symbolic.svg", redSquare);
        write(QStringLiteral("Test/scalable/apps/%1-symbolic.svg").arg(applicationId), redSquare);
        m_paths = QIcon::themeSearchPaths();
        m_theme = QIcon::themeName();
        QIcon::setThemeSearchPaths({m_root.path()});
        QIcon::setThemeName(QStringLiteral("Test"));
    }
    ~IconThemeTest() override {
        QIcon::setThemeSearchPaths(m_paths);
        QIcon::setThemeName(m_theme);
    }

    void write(const QString& name, const QByteArray& content) {
        QFile file(m_root.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

private:
    QTemporaryDir m_root;
    QStringList m_paths;
    QString m_theme;
};

TEST_F(IconThemeTest, symbolsAreTheThemesSymbolicIconsInThePalettesColour) {
    const QColor text = QApplication::palette().color(QPalette::Active, QPalette::WindowText);
    for (const auto symbol : {Symbols::Symbol::folder, Symbols::Symbol::tip}) {
        const QImage image = Symbols::icon(symbol).pixmap(16).toImage();
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) == 255) {
                    ++drawn;
                    EXPECT_EQ(QColor(image.pixel(x, y)).rgb(), text.rgb()) << x << "," << y;
                }
        EXPECT_GT(drawn, 0) << "something was drawn";
    }
}

TEST_F(IconThemeTest, statusNotifierHostsGetTheSymbolicTrayIconByName) {
    EXPECT_EQ(Symbols::trayIcon(true).name(), QString(applicationId) + "-symbolic");
    EXPECT_TRUE(Symbols::trayIcon(false).name().isEmpty()) << "XEmbed trays get the artwork";
}

TEST(HeldKeys, aHeldReturnOrSpacePressesAButtonOnce) {
    ButtonInput::watch();
    QPushButton button(QStringLiteral("Reveal"));
    button.setAutoDefault(true);
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        clicks = 0;
        for (const bool repeat : {false, true, true, true}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), repeat);
            QApplication::sendEvent(&button, &press);
            if (key == Qt::Key_Space && repeat) {
                QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(&button, &release);
            }
        }
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(&button, &release);
        EXPECT_EQ(clicks, 1) << "key " << key;
    }
}

} // namespace
} // namespace sorvane
