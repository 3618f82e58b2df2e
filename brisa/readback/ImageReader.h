#pragma once

#include <QObject>

#include "Exchange.h"
#include "NodeImage.h"
#include "NodeRequests.h"
#include "compiler/NodeInfo.h"
#include "form/Controls.h"

namespace brisa::readback {

// Reads the node's memory image: blocks 100 to 115, one request per reply. The image is handed
// on only when all sixteen blocks came; a chain that breaks off hands nothing on, so a half
// image never replaces a whole one.
class ImageReader : public QObject {
    Q_OBJECT
  public:
    ImageReader(exchange::NodeRequests& requests, exchange::Exchange& exchange,
                form::MousePointer& pointer, QObject* parent = nullptr);

    // Busy pointer, then block 100. False (nothing sent) while another exchange runs.
    bool start();
    bool reading() const { return reading_; }
    // A reply to one of the reads (the dispatch has checked that it answers the last request).
    void blockRead(int block, const compiler::NodeData& data);

  signals:
    void blockStored(int block);
    void imageRead(const brisa::readback::NodeImage& image);
    // The exchange ended before block 115 came; the dispatch has shown why.
    void failed();

  private:
    void exchangeRunning(bool running);

    exchange::NodeRequests& requests_;
    exchange::Exchange& exchange_;
    form::MousePointer& pointer_;
    NodeImage image_{};
    bool reading_ = false;
    int next_ = FirstImageBlock;
};

}  // namespace brisa::readback
