// "Monitor de tramas": opened from "Herramientas", one at a time; the lines of a programming
// run against the simulated node, with each of its faults; pause, clear, save; a list that
// follows its monitor row by row and the newest line unless the user scrolled up.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QFile>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

#include "QtPrinters.h"
#include "SimProcess.h"
#include "WindowFixture.h"

using brisa::monitor::FrameMonitor;
using brisa::ui::FrameMonitorWindow;
using ztklink::FrameDirection;
using ztklink::FrameVerdict;

namespace {

const QString kData = QStringLiteral(TEST_DATA_DIR);

class MonitorWindow : public WindowFixture {
  protected:
    QAction* menuItem() { return window.findChild<QAction*>(QStringLiteral("mnMonitor")); }
    FrameMonitorWindow* open() {
        menuItem()->trigger();
        return window.monitorWindow();
    }
    // The lines as the list shows them.
    static QStringList shown(FrameMonitorWindow& w) {
        QStringList lines;
        QAbstractItemModel* m = w.view().model();
        for (int r = 0; r < m->rowCount(); ++r) lines << m->index(r, 0).data().toString();
        return lines;
    }
    static QByteArray frame(int block) {
        QByteArray f(20, '\0');
        f[0] = 1;
        f[1] = 10;
        f[2] = char(block);
        return f;
    }
};

TEST_F(MonitorWindow, HerramientasOpensOneWindowBesideTheMainWindow) {
    ASSERT_NE(menuItem(), nullptr);
    FrameMonitorWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isWindow());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->parentWidget(), &window);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Monitor de tramas"));
    // Chosen again: the same window, to the front.
    EXPECT_EQ(open(), w);

    // Closed, it is gone and stops listening; opened again it starts a clock of its own.
    QPointer<FrameMonitorWindow> gone = w;
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
    EXPECT_EQ(window.monitorWindow(), nullptr);
    FrameMonitorWindow* again = open();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->monitor().lines().empty());
}

// Alt+H opens "Herramientas", M its "Monitor de tramas"; the window's own controls have
// letters of their own, a name for a screen reader, and Tab walks them in reading order.
TEST_F(MonitorWindow, OpensFromTheKeyboardAndIsUsableFromIt) {
    QTest::keyClick(&window, 'h', Qt::AltModifier);
    ASSERT_TRUE(testsupport::waitUntil([] { return QApplication::activePopupWidget() != nullptr; }, 2000));
    QTest::keyClick(QApplication::activePopupWidget(), 'm');
    ASSERT_TRUE(testsupport::waitUntil([&] { return window.monitorWindow() != nullptr; }, 2000));
    FrameMonitorWindow& w = *window.monitorWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    EXPECT_EQ(w.view().accessibleName(), QStringLiteral("Tramas"));
    QStringList letters;
    for (QPushButton* b : w.findChildren<QPushButton*>()) {
        const qsizetype amp = b->text().indexOf(u'&');
        ASSERT_GE(amp, 0) << b->text().toStdString();
        letters << b->text().mid(amp + 1, 1).toLower();
    }
    const QString all = letters.join(u' ');
    EXPECT_EQ(letters.removeDuplicates(), 0) << all.toStdString();
    EXPECT_EQ(letters.size(), 4) << all.toStdString();

    w.view().setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(testsupport::waitUntil([&] { return w.view().hasFocus(); }, 2000));
    QStringList walked{focused()};
    for (int k = 0; k < 6; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << focused();
    }
    EXPECT_EQ(walked, (QStringList{"lstTramas", "cmdPausa", "cmdBorrar", "cmdGuardar", "cmdCerrar",
                                   "lstTramas", "cmdPausa"}));

    // Alt+P pauses (a button's mnemonic clicks it a moment later), and the same button then
    // says "Seguir".
    QTest::keyClick(&w, 'p', Qt::AltModifier);
    EXPECT_TRUE(testsupport::waitUntil([&] { return w.monitor().paused(); }, 2000));
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("cmdPausa"))->text(), QStringLiteral("&Seguir"));
    QTest::keyClick(&w, 's', Qt::AltModifier);
    EXPECT_TRUE(testsupport::waitUntil([&] { return !w.monitor().paused(); }, 2000));
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

// A whole programming run of the serial node against ztknode-sim, with each fault the
// simulator can make: every frame is a line, in order, byte for byte what the node took in
// and sent, with its verdict and meaning; and "Guardar..." writes exactly those lines.
struct RunCase {
    const char* name;
    QStringList simArgs;
    // Verdicts of the last lines; all before them are "OK". After a faulty reply the run waits
    // for a good one until the watchdog expires.
    QStringList lastVerdicts;
};

class MonitorOfARun : public MonitorWindow, public ::testing::WithParamInterface<RunCase> {
  protected:
    simtest::SimProcess sim;
};

TEST_P(MonitorOfARun, ShowsEveryFrameWithItsVerdictAndMeaning) {
    const RunCase& c = GetParam();
    ASSERT_TRUE(sim.start(c.simArgs + QStringList{"--log", sim.pathInFolder("log")}))
        << sim.standardError().constData();
    brisa::form::MainForm& f = app->form;
    ASSERT_TRUE(app->files.loadProgramFile(kData + QStringLiteral("/serial.nod")));
    app->ZTK90->setPuertoPLC(ztklink::B);
    ztklink::PortMap map;
    map.set(1, sim.link());
    app->ZTK90->qtPort()->setPortMap(map);
    (void)app->ZTK90->setCOMM(1);

    FrameMonitorWindow* w = open();
    ASSERT_NE(w, nullptr);
    QAbstractItemModelTester tester(w->view().model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    f.cmdCompilar.press();
    ASSERT_TRUE(f.cmdProgramar.visible()) << f.lbCompilado.caption().toStdString();
    f.cmdProgramar.press();
    // After a faulty reply the driver still waits for a good one until its watchdog expires.
    FrameMonitor& m = w->monitor();
    ASSERT_TRUE(testsupport::waitUntil(
        [&] {
            return !f.pointer.busy() && !m.lines().empty() &&
                   brisa::monitor::verdictText(m.lines().back().verdict) == c.lastVerdicts.last();
        },
        15000));
    // Nothing comes after it.
    const size_t count = m.lines().size();
    testsupport::waitUntil([] { return false; }, 300);
    ASSERT_EQ(m.lines().size(), count);

    const QStringList lines = shown(*w);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.join(u'\n') + u'\n', w->monitor().text());

    // Columns: time, direction, bytes (59 wide), verdict (14 wide), meaning.
    const auto field = [](const QString& line, int from, int width) { return line.mid(from, width).trimmed(); };
    QStringList seen;  // "< hex" taken in by the node, "> hex" sent by it, as its log has them
    QString request;   // meaning of the last frame sent
    QStringList verdicts;
    qint64 before = 0;
    for (const QString& l : lines) {
        SCOPED_TRACE(l.toStdString());
        ASSERT_TRUE(l.left(11).endsWith(QStringLiteral(" ms")));
        const qint64 ms = l.left(8).trimmed().toLongLong();
        EXPECT_GE(ms, before);
        before = ms;
        const QString direction = field(l, 13, 9), hex = field(l, 24, 59), meaning = l.mid(101);
        const bool sent = direction == QStringLiteral("PC → nodo");
        if (sent) {
            EXPECT_TRUE(meaning.startsWith(QStringLiteral("escritura bloque ")));
            EXPECT_TRUE(request.isEmpty()) << "two frames sent without a reply between";
            request = meaning;
        } else {
            EXPECT_EQ(direction, QStringLiteral("nodo → PC"));
            EXPECT_EQ(meaning, QStringLiteral("respuesta a ") + request);
            if (field(l, 85, 14) == QStringLiteral("OK")) request.clear();
        }
        verdicts << field(l, 85, 14);
        if (!hex.isEmpty()) seen << (sent ? QStringLiteral("< ") : QStringLiteral("> ")) + hex;
    }
    EXPECT_EQ(lines.first().mid(101), QStringLiteral("escritura bloque 5")) << "the header block first";
    const qsizetype ok = lines.size() - c.lastVerdicts.size();
    ASSERT_GE(ok, 0);
    EXPECT_EQ(verdicts.mid(0, ok), QStringList(ok, QStringLiteral("OK")));
    EXPECT_EQ(verdicts.mid(ok), c.lastVerdicts);

    EXPECT_EQ(seen, simtest::SimProcess::loggedFrames(sim.pathInFolder("log")));

    const QString saved = sim.pathInFolder("tramas.txt");
    ASSERT_TRUE(w->saveTo(saved));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), lines.join(u'\n') + u'\n');
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MonitorOfARun,
    ::testing::Values(RunCase{"None", {}, {"OK"}},
                      RunCase{"Drop", {"--drop", "7"}, {"sin respuesta"}},
                      RunCase{"Partial", {"--partial", "8"}, {"incompleta", "sin respuesta"}},
                      RunCase{"Corrupt", {"--corrupt", "3"}, {"checksum", "sin respuesta"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Paused, nothing is recorded; cleared, the list is empty; both through the buttons.
TEST_F(MonitorWindow, PauseAndClearActOnTheLines) {
    FrameMonitorWindow* w = open();
    FrameMonitor& m = w->monitor();
    auto* pause = w->findChild<QPushButton*>(QStringLiteral("cmdPausa"));
    auto* clear = w->findChild<QPushButton*>(QStringLiteral("cmdBorrar"));
    m.add(FrameDirection::ToNode, frame(5), FrameVerdict::Ok);
    pause->click();
    m.add(FrameDirection::ToNode, frame(6), FrameVerdict::Ok);
    EXPECT_EQ(shown(*w).size(), 1);
    pause->click();
    m.add(FrameDirection::ToNode, frame(7), FrameVerdict::Ok);
    const QStringList lines = shown(*w);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("escritura bloque 5")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("escritura bloque 7")));
    clear->click();
    EXPECT_TRUE(shown(*w).isEmpty());
    EXPECT_TRUE(m.lines().empty());
}

// Beyond its capacity the oldest lines leave, one by one, as the model announces; the view
// follows the newest line, and stays where the user scrolled up to.
TEST_F(MonitorWindow, TheListFollowsTheNewestLineUnlessScrolledUp) {
    FrameMonitorWindow* w = open();
    FrameMonitor& m = w->monitor();
    for (int i = 0; i < FrameMonitor::Capacity; ++i)
        m.add(FrameDirection::ToNode, frame(i % 200), FrameVerdict::Ok);
    // The tester goes over the whole model at every change: only for the last few.
    QAbstractItemModelTester tester(w->view().model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (int i = FrameMonitor::Capacity; i < FrameMonitor::Capacity + 5; ++i)
        m.add(FrameDirection::ToNode, frame(i % 200), FrameVerdict::Ok);
    QApplication::processEvents();
    QAbstractItemModel* model = w->view().model();
    ASSERT_EQ(model->rowCount(), FrameMonitor::Capacity);
    EXPECT_TRUE(model->index(0, 0).data().toString().endsWith(QStringLiteral("escritura bloque 5")));
    QScrollBar* bar = w->view().verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());

    m.clear();
    for (int i = 0; i < 300; ++i) m.add(FrameDirection::ToNode, frame(1), FrameVerdict::Ok);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());

    bar->setValue(bar->maximum() / 2);
    const int where = bar->value();
    for (int i = 0; i < 300; ++i) m.add(FrameDirection::ToNode, frame(2), FrameVerdict::Ok);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), where);
    EXPECT_GT(bar->maximum(), where);

    // Back at the bottom, it follows again.
    bar->setValue(bar->maximum());
    m.add(FrameDirection::ToNode, frame(3), FrameVerdict::Ok);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());
}

// A file that cannot be written is said so, in Spanish, and a file already there is left
// whole.
TEST_F(MonitorWindow, SavingWritesTheLinesOrSaysWhyNot) {
    FrameMonitorWindow* w = open();
    w->monitor().add(FrameDirection::ToNode, frame(9), FrameVerdict::Ok);
    w->monitor().add(FrameDirection::FromNode, QByteArray(7, '\x01'), FrameVerdict::Incomplete);

    const QString path = dir.filePath(QStringLiteral("tramas.txt"));
    ASSERT_TRUE(w->saveTo(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    EXPECT_EQ(text, w->monitor().text());
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].contains(QStringLiteral("  incompleta  ")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("  respuesta a escritura bloque 9")));
    EXPECT_TRUE(messages.messages.isEmpty());

    EXPECT_FALSE(w->saveTo(dir.filePath(QStringLiteral("no/existe/tramas.txt"))));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("No se pudo guardar el archivo")))
        << messages.messages[0].text.toStdString();

    // A folder in the way of the file: refused, and nothing else touched.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("carpeta")));
    EXPECT_FALSE(w->saveTo(dir.filePath(QStringLiteral("carpeta"))));
    EXPECT_EQ(messages.messages.size(), 2);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), text);
}

}  // namespace
