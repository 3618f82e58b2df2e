#pragma once

#include <QAbstractListModel>
#include <QElapsedTimer>
#include <QWidget>

#include "FrameMonitor.h"
#include "MessagePresenter.h"

class QLabel;
class QListView;
class QPushButton;

namespace brisa::ui {

// The monitor's lines for a view. It follows the monitor's own announcements row by row, so
// a view keeps its scroll position and selection while thousands of frames go by.
class FrameLineModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit FrameLineModel(const monitor::FrameMonitor& monitor, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    const monitor::FrameMonitor& monitor_;
    bool clearing_ = false;  // rows were announced as removed by aboutToClear
};

// "Monitor de tramas": every frame the link control writes and every run of bytes it takes
// in, one line each, live. Not modal; it listens only while it is open, and its clock starts
// when it opens. "Pausa" stops recording, "Borrar" empties it, "Guardar..." writes the lines
// to a text file. The list follows the newest line unless the user scrolled up.
class FrameMonitorWindow : public QWidget {
    Q_OBJECT
  public:
    FrameMonitorWindow(ztklink::CommZTK90& link, MessagePresenter& messages, QWidget* owner,
                       monitor::FrameMonitor::Clock clock = {});

    monitor::FrameMonitor& monitor() { return *monitor_; }
    QListView& view() { return *view_; }
    // Writes the lines to `path`, replacing it whole or not at all; a failure is said to the
    // user. False when it failed.
    bool saveTo(const QString& path);

  private:
    void togglePause();
    void chooseFileAndSave();
    void showCount();

    MessagePresenter& messages_;
    QElapsedTimer opened_;  // the lines' clock, unless the caller brings one
    monitor::FrameMonitor* monitor_;
    FrameLineModel* model_;
    QListView* view_;
    QPushButton* pause_;
    QLabel* count_;
    bool follow_ = true;  // the view shows the newest line and keeps doing so
};

}  // namespace brisa::ui
