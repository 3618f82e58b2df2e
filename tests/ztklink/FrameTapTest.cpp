// The traffic tap: every frame written and every run of bytes taken in or dropped, with its
// verdict, just before the event it leads to; the events stay exactly as without a listener.
#include "DriverFixture.h"

#include <QRegularExpression>

using namespace ztklink;

namespace {

QByteArray readReply(quint8 block) { return DriverFixture::reply(1, 0x0B, block, 0x11); }
QByteArray corrupted(QByteArray b) {
    b[7] = static_cast<char>(b[7] ^ 0x40);
    return b;
}


struct TapCase {
    const char* name;
    std::vector<Step> steps;  // after RecibirPLC(1, 5), watchdog 1000 ms
    QStringList tapped;       // "> hex" written, "< verdict hex" received
};

class FrameTap : public DriverFixture {
  protected:
    // Runs the case on a fresh control; the events, with the tap lines among them when tapped.
    QStringList run(const TapCase& c, bool tap) {
        SetUp();
        if (tap)
            QObject::connect(ztk.get(), &CommZTK90::frameTraffic,
                             [this](FrameDirection d, const QByteArray& b, FrameVerdict v) {
                                 events << QStringLiteral("%1 %2 %3")
                                               .arg(d == FrameDirection::ToNode ? ">" : "<")
                                               .arg(int(v))
                                               .arg(QString::fromLatin1(b.toHex()));
                             });
        EXPECT_TRUE(ztk->setWatchDogTime(1000).ok());
        EXPECT_TRUE(ztk->RecibirPLC(1, 5));
        for (const Step& s : c.steps) EXPECT_TRUE(play(s));
        QStringList got = takeEvents();
        for (QString& e : got) e.remove(QRegularExpression(QStringLiteral(" @\\d+$")));
        return got;
    }
};

QString hex(const QByteArray& b) { return QString::fromLatin1(b.toHex()); }
QString request(quint8 block) {
    return QStringLiteral("> 0 ") + hex(frame::toByteArray(frame::blockFrame(1, 0x0B, block, {})));
}

TEST_F(FrameTap, ReportsEveryFrameBeforeItsEventAndChangesNoEvent) {
    const QByteArray r5 = readReply(5), r6 = readReply(6);
    const QByteArray stray("\x55\x56", 2);
    using V = FrameVerdict;
    const auto rx = [](V v, const QByteArray& b) { return QStringLiteral("< %1 %2").arg(int(v)).arg(hex(b)); };
    const std::vector<TapCase> cases = {
        {"valid reply", {bytes(r5)}, {request(5), rx(V::Ok, r5), "RespuestaPLC 1 5 11"}},
        {"bad checksum",
         {bytes(corrupted(r5))},
         {request(5), rx(V::Checksum, corrupted(r5)), "ErrorComm 93 " + badChecksumText()}},
        {"partial reply, then the gap",
         {bytes(r5.left(12)), advance(50)},
         {request(5), rx(V::Incomplete, r5.left(12)), "RespuestaPLCNoRecibida 1 5"}},
        {"no reply",
         {advance(1000)},
         {request(5), rx(V::NoReply, {}), "PerroGuardian 1 0"}},
        {"line error",
         {bytes(stray), lineError(CommEvent::RxParity)},
         {request(5), rx(V::LineError, stray), "ErrorComm 17 " + lineCorruptText()}},
        {"leftover bytes dropped by the next request",
         {bytes(r5 + stray), readBlock(6), bytes(r6)},
         {request(5), rx(V::Ok, r5), "RespuestaPLC 1 5 11", rx(V::Incomplete, stray), request(6),
          rx(V::Ok, r6), "RespuestaPLC 1 6 11"}},
    };
    for (const TapCase& c : cases) {
        const QStringList untapped = run(c, false);
        const QStringList tapped = run(c, true);
        EXPECT_EQ(tapped, c.tapped) << c.name;
        QStringList eventsOnly = tapped;
        eventsOnly.removeIf([](const QString& l) { return l.startsWith('<') || l.startsWith('>'); });
        EXPECT_EQ(eventsOnly, untapped) << c.name;
    }
}

TEST_F(FrameTap, SnifferModeReportsEachRunOfBytesOnce) {
    QList<QByteArray> runs;
    QObject::connect(ztk.get(), &CommZTK90::frameTraffic,
                     [&](FrameDirection d, const QByteArray& b, FrameVerdict v) {
                         if (d == FrameDirection::FromNode && v == FrameVerdict::Ok) runs << b;
                     });
    ztk->setModoSniffer(true);
    ASSERT_TRUE(ztk->RecibirPLC(1, 0));
    port->receive(QByteArray("\x05\x0A", 2));
    EXPECT_EQ(runs, QList<QByteArray>({QByteArray("\x05\x0A", 2)}));
    EXPECT_EQ(takeEvents(), QStringList({"NewByte 5", "NewByte 10"}));
}

}  // namespace
