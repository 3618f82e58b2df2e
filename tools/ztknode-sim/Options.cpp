#include "Options.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <optional>

namespace nodesim {

namespace {

std::optional<int> intIn(const QString& text, int lo, int hi) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < lo || v > hi) return std::nullopt;
    return v;
}

}  // namespace

ParsedOptions parseOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated TALVO gateway node on a pseudo-terminal."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Symbolic link to create to the node's device."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption model(QStringLiteral("model"),
                                   QStringLiteral("Model code the node reports (default 4)."),
                                   QStringLiteral("CODE"));
    const QCommandLineOption sw(QStringLiteral("sw"),
                                QStringLiteral("Software version the node reports (default 1.15)."),
                                QStringLiteral("X.YY"));
    const QCommandLineOption framing(QStringLiteral("framing"),
                                     QStringLiteral("Character framing, 8E2 or 8N1 (default 8N1)."),
                                     QStringLiteral("8E2|8N1"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Line speed for --pace (default 4800)."),
                                  QStringLiteral("N"));
    const QCommandLineOption pace(QStringLiteral("pace"),
                                  QStringLiteral("Take the line's own time to receive and send."));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Write every frame to FILE."), QStringLiteral("FILE"));
    const QCommandLineOption drop(QStringLiteral("drop"),
                                  QStringLiteral("Leave every Nth request unanswered."),
                                  QStringLiteral("N"));
    const QCommandLineOption corrupt(QStringLiteral("corrupt"),
                                     QStringLiteral("Answer every Nth request with a bad checksum."),
                                     QStringLiteral("N"));
    const QCommandLineOption partial(QStringLiteral("partial"),
                                     QStringLiteral("Send only 12 bytes of every Nth reply."),
                                     QStringLiteral("N"));
    const QCommandLineOption garbageBefore(
        QStringLiteral("garbage-before"),
        QStringLiteral("Put 1 to 19 bytes of garbage on the line before every Nth reply, then "
                       "stay silent 200 ms (four times the host's receive gap)."),
        QStringLiteral("N"));
    const QCommandLineOption garbageAfter(
        QStringLiteral("garbage-after"),
        QStringLiteral("Put 1 to 19 bytes of garbage on the line right behind every Nth reply."),
        QStringLiteral("N"));
    const QCommandLineOption twice(QStringLiteral("twice"),
                                   QStringLiteral("Send every Nth reply twice, back to back."),
                                   QStringLiteral("N"));
    const QCommandLineOption late(
        QStringLiteral("late"),
        QStringLiteral("Hold every Nth reply --late-ms milliseconds, past the host's watchdog."),
        QStringLiteral("N"));
    const QCommandLineOption lateMs(
        QStringLiteral("late-ms"),
        QStringLiteral("How long --late holds a reply (default 2500, past the configurator's 2 s "
                       "watchdog)."),
        QStringLiteral("MS"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Wait MS milliseconds before each reply."),
                                   QStringLiteral("MS"));
    const QCommandLineOption flip(
        QStringLiteral("flip"),
        QStringLiteral("Invert the bits of node memory byte OFFSET (0-255) after every write "
                       "that covers it, as a faulty cell would; may be given more than once."),
        QStringLiteral("OFFSET"));
    parser.addOptions({help, link, model, sw, framing, baud, pace, log, drop, corrupt, partial,
                       garbageBefore, garbageAfter, twice, late, lateMs, delay, flip});

    if (!parser.parse(arguments)) return UsageError{parser.errorText()};
    if (parser.isSet(help)) return HelpRequested{parser.helpText()};
    if (!parser.positionalArguments().isEmpty())
        return UsageError{QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first())};

    Options o;
    o.link = parser.value(link);
    if (o.link.isEmpty()) return UsageError{QStringLiteral("--link PATH is required")};

    if (parser.isSet(model)) {
        const auto v = intIn(parser.value(model), 0, 65535);
        if (!v) return UsageError{QStringLiteral("--model takes a code from 0 to 65535")};
        o.identity.model = static_cast<std::uint16_t>(*v);
    }
    if (parser.isSet(sw)) {
        static const QRegularExpression form(QStringLiteral("^(\\d{1,3})\\.(\\d\\d)$"));
        const auto m = form.match(parser.value(sw));
        const auto major = m.hasMatch() ? intIn(m.captured(1), 0, 255) : std::nullopt;
        if (!major) return UsageError{QStringLiteral("--sw takes a version such as 1.15")};
        o.identity.swMajor = static_cast<std::uint8_t>(*major);
        o.identity.swMinor = static_cast<std::uint8_t>(m.captured(2).toInt());
    }
    if (parser.isSet(framing)) {
        const QString f = parser.value(framing).toUpper();
        if (f == QLatin1String("8E2")) o.framing = Framing::E2;
        else if (f == QLatin1String("8N1")) o.framing = Framing::N1;
        else return UsageError{QStringLiteral("--framing is 8E2 or 8N1")};
    }
    if (parser.isSet(baud)) {
        const auto v = intIn(parser.value(baud), 50, 4'000'000);
        if (!v) return UsageError{QStringLiteral("--baud takes a speed from 50 to 4000000")};
        o.baud = *v;
    }
    o.pace = parser.isSet(pace);
    o.logFile = parser.value(log);

    const struct {
        const QCommandLineOption& option;
        int& value;
    } everyNth[] = {{drop, o.faults.drop},
                    {corrupt, o.faults.corrupt},
                    {partial, o.faults.partial},
                    {garbageBefore, o.faults.garbageBefore},
                    {garbageAfter, o.faults.garbageAfter},
                    {twice, o.faults.twice},
                    {late, o.faults.late}};
    for (const auto& e : everyNth) {
        if (!parser.isSet(e.option)) continue;
        const auto v = intIn(parser.value(e.option), 1, 1'000'000);
        if (!v)
            return UsageError{QStringLiteral("--%1 takes a count of at least 1").arg(e.option.names().first())};
        e.value = *v;
    }
    if (parser.isSet(delay)) {
        const auto v = intIn(parser.value(delay), 0, 600'000);
        if (!v) return UsageError{QStringLiteral("--delay takes milliseconds from 0 to 600000")};
        o.delayMs = *v;
    }
    if (parser.isSet(lateMs)) {
        const auto v = intIn(parser.value(lateMs), 0, 600'000);
        if (!v) return UsageError{QStringLiteral("--late-ms takes milliseconds from 0 to 600000")};
        o.faults.lateMs = *v;
    }
    for (const QString& offset : parser.values(flip)) {
        const auto v = intIn(offset, 0, Memory::Size - 1);
        if (!v) return UsageError{QStringLiteral("--flip takes a node memory offset from 0 to 255")};
        o.flips.push_back(*v);
    }
    return o;
}

}  // namespace nodesim
