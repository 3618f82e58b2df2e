// frmDwPrg as a window: its own top-level window owned by the main window, the raw and decoded
// image shown, the line index, closing, and the save dialog it opens.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "AppFixture.h"
#include "MainWindow.h"
#include "QtPrinters.h"

namespace {

class DwPrgWindowTest : public AppFixture {
  protected:
    DwPrgWindowTest() : window(*app) {
        startUp();
        window.show();
    }
    template <typename W>
    W* widget(const char* name) {
        return dw().findChild<W*>(QLatin1String(name));
    }
    brisa::ui::DwPrgWindow& dw() { return window.dwPrgWindow(); }
    brisa::ui::MainWindow window;
};

TEST_F(DwPrgWindowTest, OpensBesideTheMainWindowAndShowsTheImage) {
    EXPECT_FALSE(dw().isVisible());
    brisa::readback::NodeImage image{};
    image[0] = 10, image[1] = 11, image[229] = 2, image[240] = 0x01, image[241] = 0xF6;
    app->dwPrg.window.setVisible(true);
    app->readBack.takeImage(image);

    EXPECT_TRUE(dw().isVisible());
    EXPECT_TRUE(dw().isWindow());
    EXPECT_FALSE(dw().isModal());
    EXPECT_EQ(dw().parentWidget(), &window);
    EXPECT_EQ(dw().windowTitle(), QStringLiteral("Programa recuperado"));
    auto* raw = widget<QListWidget>("lstPrg");
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->count(), 301);
    EXPECT_EQ(widget<QListWidget>("lstBloques")->count(), 2);
    EXPECT_EQ(widget<QLabel>("lbTcpPort")->text(), QStringLiteral("502"));
    raw->setCurrentRow(229);
    EXPECT_EQ(widget<QLabel>("lbIndex")->text(), QStringLiteral("229"));
    EXPECT_TRUE(widget<QPushButton>("cmdSave")->isEnabled());

    widget<QPushButton>("cmdExit")->click();
    EXPECT_FALSE(dw().isVisible());
    EXPECT_EQ(app->readBack.buffer()[229], 2);

    app->dwPrg.window.setVisible(true);
    dw().close();  // the title bar's close is "Cerrar"
    EXPECT_FALSE(app->dwPrg.window.visible());
}

TEST_F(DwPrgWindowTest, SalvarAsksForAnNdFileInTheFilesFolder) {
    const auto dialog = dw().saveDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Guardar configuración nodo"));
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(folder()).absoluteFilePath("Files"));
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Nodo conf. (*.nd)"});
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("nd"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
}

}  // namespace
