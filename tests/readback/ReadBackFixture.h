#pragma once

#include "ExchangeFixture.h"
#include "compiler/Image.h"
#include "readback/NodeImage.h"

// The configurator's core on a scripted port, with a node memory that answers the reads of
// blocks 100 to 115.
class ReadBackFixture : public ExchangeFixture {
  protected:
    // Where a node keeps the blocks programming wrote: every byte of each block at its offset.
    static brisa::readback::NodeImage nodeMemoryOf(const QList<brisa::compiler::ImageBlock>& image);

    // True when the last frame written is a read of a node memory block.
    bool readPending() const;
    // Answers the pending read from `memory`.
    void answerRead(const brisa::readback::NodeImage& memory);
    // Answers reads until the configurator asks for nothing more; the number answered.
    int answerAllReads(const brisa::readback::NodeImage& memory);

    // Chooses a node, sets up a selection on the "Programa" page and compiles it.
    void select(const QStringList& used, const QString& pri1 = {}, const QString& pri2 = {},
                bool highMemory = false);
};
