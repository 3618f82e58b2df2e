#include "FrameMonitorWindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace brisa::ui {

using monitor::FrameLine;
using monitor::FrameMonitor;

FrameLineModel::FrameLineModel(const FrameMonitor& monitor, QObject* parent)
    : QAbstractListModel(parent), monitor_(monitor) {
    connect(&monitor, &FrameMonitor::aboutToRemoveFirst, this, [this] { beginRemoveRows({}, 0, 0); });
    connect(&monitor, &FrameMonitor::firstRemoved, this, [this] { endRemoveRows(); });
    connect(&monitor, &FrameMonitor::aboutToAppend, this, [this] {
        const int row = rowCount();
        beginInsertRows({}, row, row);
    });
    connect(&monitor, &FrameMonitor::appended, this, [this] { endInsertRows(); });
    connect(&monitor, &FrameMonitor::aboutToClear, this, [this] {
        clearing_ = rowCount() > 0;
        if (clearing_) beginRemoveRows({}, 0, rowCount() - 1);
    });
    connect(&monitor, &FrameMonitor::cleared, this, [this] {
        if (clearing_) endRemoveRows();
        clearing_ = false;
    });
}

int FrameLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(monitor_.lines().size());
}

QVariant FrameLineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const FrameLine& line = monitor_.lines()[size_t(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return monitor::lineText(line);
        case Qt::ForegroundRole:
            // A failed frame stands out; its verdict says what failed in words as well.
            if (line.verdict != ztklink::FrameVerdict::Ok) return QColor(0xA0, 0x30, 0x00);
            return {};
        default:
            return {};
    }
}

FrameMonitorWindow::FrameMonitorWindow(ztklink::CommZTK90& link, MessagePresenter& messages,
                                       QWidget* owner, FrameMonitor::Clock clock)
    : QWidget(owner, Qt::Window), messages_(messages) {
    setObjectName(QStringLiteral("frmMonitor"));
    setWindowTitle(QStringLiteral("Monitor de tramas"));
    opened_.start();
    if (!clock) clock = [this] { return opened_.elapsed(); };
    monitor_ = new FrameMonitor(std::move(clock), this);
    monitor_->watch(link);
    model_ = new FrameLineModel(*monitor_, this);

    view_ = new QListView(this);
    view_->setObjectName(QStringLiteral("lstTramas"));
    view_->setAccessibleName(QStringLiteral("Tramas"));
    view_->setModel(model_);
    // Every line is as high as the next: the view lays out thousands of them at no cost.
    view_->setUniformItemSizes(true);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    pause_ = new QPushButton(QStringLiteral("&Pausa"), this);
    pause_->setObjectName(QStringLiteral("cmdPausa"));
    pause_->setToolTip(QStringLiteral("Dejar de registrar el tráfico"));
    auto* clear = new QPushButton(QStringLiteral("&Borrar"), this);
    clear->setObjectName(QStringLiteral("cmdBorrar"));
    clear->setToolTip(QStringLiteral("Borrar las líneas registradas"));
    auto* save = new QPushButton(QStringLiteral("&Guardar..."), this);
    save->setObjectName(QStringLiteral("cmdGuardar"));
    save->setToolTip(QStringLiteral("Guardar las líneas en un archivo de texto"));
    auto* close = new QPushButton(QStringLiteral("Ce&rrar"), this);
    close->setObjectName(QStringLiteral("cmdCerrar"));
    for (QPushButton* b : {pause_, clear, save, close}) b->setAutoDefault(false);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("lbTramas"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(pause_);
    bar->addWidget(clear);
    bar->addWidget(save);
    bar->addStretch(1);
    bar->addWidget(count_);
    bar->addWidget(close);
    auto* v = new QVBoxLayout(this);
    v->addWidget(view_, 1);
    v->addLayout(bar);

    connect(pause_, &QPushButton::clicked, this, &FrameMonitorWindow::togglePause);
    connect(clear, &QPushButton::clicked, monitor_, &FrameMonitor::clear);
    connect(save, &QPushButton::clicked, this, &FrameMonitorWindow::chooseFileAndSave);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    // Scrolled to the bottom, the view stays there as lines come; scrolled up, it stays put.
    QScrollBar* scroll = view_->verticalScrollBar();
    connect(scroll, &QScrollBar::valueChanged, this,
            [this, scroll](int value) { follow_ = value >= scroll->maximum(); });
    connect(scroll, &QScrollBar::rangeChanged, this, [this, scroll](int, int max) {
        if (follow_) scroll->setValue(max);
    });
    connect(model_, &QAbstractItemModel::rowsInserted, this, &FrameMonitorWindow::showCount);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &FrameMonitorWindow::showCount);
    showCount();

    const QFontMetrics fm(view_->font());
    resize(fm.horizontalAdvance(QString(140, QLatin1Char('0'))), fm.lineSpacing() * 30);
}

void FrameMonitorWindow::togglePause() {
    const bool paused = !monitor_->paused();
    monitor_->setPaused(paused);
    pause_->setText(paused ? QStringLiteral("&Seguir") : QStringLiteral("&Pausa"));
    pause_->setToolTip(paused ? QStringLiteral("Volver a registrar el tráfico")
                              : QStringLiteral("Dejar de registrar el tráfico"));
    showCount();
}

void FrameMonitorWindow::showCount() {
    const int n = model_->rowCount();
    QString text = n == 1 ? QStringLiteral("1 trama") : QStringLiteral("%1 tramas").arg(n);
    if (monitor_->paused()) text += QStringLiteral(" (en pausa)");
    count_->setText(text);
}

void FrameMonitorWindow::chooseFileAndSave() {
    QFileDialog dialog(this, QStringLiteral("Guardar tramas"), QDir::homePath(),
                       QStringLiteral("Texto (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The suffix is added before the dialog asks about replacing a file (see saveProgram).
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.selectFile(QStringLiteral("tramas.txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    saveTo(dialog.selectedFiles().first());
}

bool FrameMonitorWindow::saveTo(const QString& path) {
    // A file that cannot be written whole is left as it was.
    QSaveFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(monitor_->text().toUtf8()) >= 0 &&
                    file.commit();
    if (!ok)
        messages_.warning(QStringLiteral("Monitor de tramas"),
                          QStringLiteral("No se pudo guardar el archivo \"%1\": %2")
                              .arg(QDir::toNativeSeparators(path), file.errorString()));
    return ok;
}

}  // namespace brisa::ui
