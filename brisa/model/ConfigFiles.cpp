#include "ConfigFiles.h"

#include <QFile>
#include <QLoggingCategory>
#include <algorithm>
#include <limits>
#include <utility>

#include "NumberText.h"
#include "compiler/Text.h"

Q_LOGGING_CATEGORY(lcConfig, "brisa.config")

namespace brisa {

namespace {

const QString Sets = QStringLiteral("Sets");
const QString Net = QStringLiteral("Net");
const QString Prog = QStringLiteral("Prog");

QString key(int digit, const char* name) { return QString::number(digit) + QLatin1String(name); }

QString flagText(bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); }

// The list as the files hold it: every entry followed by ",".
QString joinList(const QStringList& items) {
    QString s;
    for (const QString& item : items) s += item + u',';
    return s;
}

// The entries of a block list: the pieces between commas, without the last one (the empty
// text after the final comma, or an entry that lacks its comma).
QStringList splitList(const QString& list) {
    QStringList pieces = list.split(u',');
    pieces.removeLast();
    return pieces;
}

QString threeDigits(const QString& piece) {
    const auto n = parseInteger(piece);
    if (!n) return piece;
    return QStringLiteral("%1").arg(*n, 3, 10, QLatin1Char('0'));
}

qint16 fieldNumber(const form::TextBox& t) {
    return qint16(std::clamp<qint64>(leadingNumber(t.text()), -32768, 32767));
}

qint32 wideFieldNumber(const form::TextBox& t) {
    return qint32(std::clamp<qint64>(leadingNumber(t.text()), INT32_MIN, INT32_MAX));
}

// A whole number with too many digits for any field ("99999999999999999999").
bool hugeNumber(const QString& text) {
    const QString t = text.trimmed();
    const qsizetype from = t.startsWith(u'-') || t.startsWith(u'+') ? 1 : 0;
    if (t.size() == from) return false;
    for (qsizetype i = from; i < t.size(); ++i)
        if (t[i] < u'0' || t[i] > u'9') return false;
    return true;
}

// Reads keys in order into the record; stops at the first value that is not valid.
class Reader {
  public:
    explicit Reader(const IniFile& file) : file_(file) {}

    QString badKey;
    bool failed() const { return !badKey.isEmpty(); }

    QStringList skipped;  // keys of entry fields whose number is outside the field's range

    template <typename T>
    void number(const QString& section, const QString& key, T& out) {
        if (failed()) return;
        const auto text = file_.value(section, key);
        if (!text) return;  // keeps the default already in `out`
        const auto n = parseInteger(*text);
        if (!n || *n < std::numeric_limits<T>::min() || *n > std::numeric_limits<T>::max()) {
            badKey = key;
            return;
        }
        out = T(*n);
    }

    // A number shown in an entry field: it takes the field's range, because the node is
    // programmed from the field. A number outside it is skipped and `out` takes what the field
    // shows; text that is no number refuses the file.
    template <typename T>
    void field(const QString& section, const QString& key, T& out, const form::TextBox& box) {
        if (failed()) return;
        const auto text = file_.value(section, key);
        if (!text) return;
        const auto n = parseInteger(*text);
        if (!n && !hugeNumber(*text)) {
            badKey = key;
            return;
        }
        const auto range = box.range();
        const qint64 min = range ? range->min : std::numeric_limits<T>::min();
        const qint64 max = range ? range->max : std::numeric_limits<T>::max();
        if (!n || *n < min || *n > max) {
            skipped << key;
            out = T(std::clamp<qint64>(leadingNumber(box.text()), std::numeric_limits<T>::min(),
                                       std::numeric_limits<T>::max()));
            return;
        }
        out = T(*n);
    }

    void text(const QString& section, const QString& key, QString& out) {
        if (failed()) return;
        out = file_.value(section, key, out);
    }

    // "True" or "False" in any letter case, or a number (0 is false).
    void flag(const QString& section, const QString& key, bool& out) {
        if (failed()) return;
        const auto text = file_.value(section, key);
        if (!text) return;
        const QString t = text->trimmed();
        if (t.compare(u"true", Qt::CaseInsensitive) == 0) {
            out = true;
        } else if (t.compare(u"false", Qt::CaseInsensitive) == 0) {
            out = false;
        } else if (const auto n = parseInteger(t)) {
            out = *n != 0;
        } else {
            badKey = key;
        }
    }

    void triggerFlags(int n, TriggerSet& t) {
        flag(Net, key(n, "MBit"), t.mBit);
        flag(Net, key(n, "MByte"), t.mByte);
        flag(Net, key(n, "MWord"), t.mWord);
        flag(Net, key(n, "Menor"), t.menor);
        flag(Net, key(n, "Igual"), t.igual);
        flag(Net, key(n, "Mayor"), t.mayor);
    }

  private:
    const IniFile& file_;
};

void showTrigger(form::MainForm& f, int n, const TriggerSet& t) {
    f.opVarTipoBit[n].setValue(t.mBit);
    f.opVarTipoByte[n].setValue(t.mByte);
    f.opVarTipoWord[n].setValue(t.mWord);
    f.opValMenor[n].setValue(t.menor);
    f.opValIgual[n].setValue(t.igual);
    f.opValMayor[n].setValue(t.mayor);
}

void collectTrigger(const form::MainForm& f, int n, TriggerSet& t) {
    t.vlTr = wideFieldNumber(f.txtValTriggerMail[n]);
    t.vrTr = fieldNumber(f.txtTriggerMail[n]);
    t.mBit = f.opVarTipoBit[n].value();
    t.mByte = f.opVarTipoByte[n].value();
    t.mWord = f.opVarTipoWord[n].value();
    t.menor = f.opValMenor[n].value();
    t.igual = f.opValIgual[n].value();
    t.mayor = f.opValMayor[n].value();
}

}  // namespace

ConfigFiles::ConfigFiles(Session& session, form::MainForm& form, MessagePresenter& messages)
    : session_(session), form_(form), messages_(messages) {}

SaveResult ConfigFiles::SaveConfig(const QString& path) {
    QString error;
    auto file = IniFile::load(path, &error);
    if (!file) return {false, error};
    const NodeConfig& c = session_.config;
    IniFile& f = *file;
    const auto num = [](qint64 v) { return QString::number(v); };

    f.setValue(Sets, QStringLiteral("Baudios"), num(c.baudios));
    f.setValue(Sets, QStringLiteral("Port"), num(c.port));
    for (int i = 0; i < 4; ++i) {
        f.setValue(Net, key(i, "IP"), num(c.ip[i]));
        f.setValue(Net, key(i, "MASK"), num(c.mask[i]));
        f.setValue(Net, key(i, "Gate"), num(c.gate[i]));
    }
    f.setValue(Net, QStringLiteral("From"), c.from);
    f.setValue(Net, QStringLiteral("Pass"), c.pass);
    f.setValue(Net, QStringLiteral("POP"), c.pop);
    f.setValue(Net, QStringLiteral("SMTP"), c.smtp);
    f.setValue(Net, QStringLiteral("Usser"), c.usser);
    f.setValue(Net, QStringLiteral("MinPop"), num(c.minPop));
    f.setValue(Net, QStringLiteral("NodoPASS"), c.nodoPass);
    f.setValue(Net, QStringLiteral("MailRta"), num(c.mailRta));
    f.setValue(Net, QStringLiteral("Autenticar"), num(c.autenticar));
    f.setValue(Net, QStringLiteral("TcpPort"), num(c.tcpPort));
    for (int n = 0; n < MailAccounts; ++n) {
        const MailAccount& m = c.mail[n];
        const TriggerSet& t = c.trigger[n];
        f.setValue(Net, key(n, "Msg"), m.msg);
        f.setValue(Net, key(n, "Dst"), m.dst);
        f.setValue(Net, key(n, "Subject"), m.subject);
        f.setValue(Net, key(n, "VrTr"), num(t.vrTr));
        f.setValue(Net, key(n, "VlTr"), num(t.vlTr));
        f.setValue(Net, key(n, "VarAttch"), num(m.varAttch));
        f.setValue(Net, key(n, "Attch"), num(m.attch));
        f.setValue(Net, key(n, "MBit"), flagText(t.mBit));
        f.setValue(Net, key(n, "MByte"), flagText(t.mByte));
        f.setValue(Net, key(n, "MWord"), flagText(t.mWord));
        f.setValue(Net, key(n, "Menor"), flagText(t.menor));
        f.setValue(Net, key(n, "Igual"), flagText(t.igual));
        f.setValue(Net, key(n, "Mayor"), flagText(t.mayor));
    }
    const TriggerSet& pop = c.trigger[PopTrigger];
    f.setValue(Net, key(PopTrigger, "MBit"), flagText(pop.mBit));
    f.setValue(Net, key(PopTrigger, "MByte"), flagText(pop.mByte));
    f.setValue(Net, key(PopTrigger, "MWord"), flagText(pop.mWord));
    f.setValue(Net, key(PopTrigger, "Menor"), flagText(pop.menor));
    f.setValue(Net, key(PopTrigger, "Igual"), flagText(pop.igual));
    f.setValue(Net, key(PopTrigger, "Mayor"), flagText(pop.mayor));
    f.setValue(Net, key(PopTrigger, "VrTr"), num(pop.vrTr));
    f.setValue(Net, key(PopTrigger, "VlTr"), num(pop.vlTr));
    f.setValue(Prog, QStringLiteral("BlockFree"), c.blockFree);
    f.setValue(Prog, QStringLiteral("BlockUsed"), c.blockUsed);
    f.setValue(Prog, QStringLiteral("BlockF1"), c.blockF1);
    f.setValue(Prog, QStringLiteral("BlockF2"), c.blockF2);
    f.setValue(Prog, QStringLiteral("Baud232"), num(c.baud232));
    f.setValue(Prog, QStringLiteral("Baud485"), num(c.baud485));
    f.setValue(Prog, QStringLiteral("Port232"), num(c.port232));
    f.setValue(Prog, QStringLiteral("Id232"), num(c.id232));
    f.setValue(Prog, QStringLiteral("Id485"), num(c.id485));

    if (!f.save(path, &error)) return {false, error};
    return {};
}

LoadResult ConfigFiles::LoadConfig(const QString& path) {
    QString error;
    const auto file = IniFile::load(path, &error);
    if (!file) {
        LoadResult r;
        r.status = LoadResult::Status::Unreadable;
        r.error = error;
        return r;
    }
    return loadFrom(*file);
}

LoadResult ConfigFiles::loadFrom(const IniFile& file) {
    const form::MainForm& f = form_;
    NodeConfig c;
    c.blockFree = session_.allBlocks;
    // Files older than TcpPort leave the port as the window has it.
    c.tcpPort = wideFieldNumber(f.txtPort);

    Reader r(file);
    r.number(Sets, QStringLiteral("Baudios"), c.baudios);
    r.number(Sets, QStringLiteral("Port"), c.port);
    r.number(Sets, QStringLiteral("SoftVer"), c.softVer);
    for (int i = 0; i < 4; ++i) {
        r.field(Net, key(i, "IP"), c.ip[i], f.txtIP[i]);
        r.field(Net, key(i, "MASK"), c.mask[i], f.txtMsk[i]);
        r.field(Net, key(i, "Gate"), c.gate[i], f.txtGW[i]);
    }
    r.text(Net, QStringLiteral("From"), c.from);
    r.text(Net, QStringLiteral("Pass"), c.pass);
    r.text(Net, QStringLiteral("POP"), c.pop);
    r.text(Net, QStringLiteral("SMTP"), c.smtp);
    r.text(Net, QStringLiteral("Usser"), c.usser);
    r.number(Net, QStringLiteral("MinPop"), c.minPop);
    r.text(Net, QStringLiteral("NodoPASS"), c.nodoPass);
    r.number(Net, QStringLiteral("MailRta"), c.mailRta);
    r.number(Net, QStringLiteral("Autenticar"), c.autenticar);
    r.field(Net, QStringLiteral("TcpPort"), c.tcpPort, f.txtPort);
    for (int n = 0; n < MailAccounts; ++n) {
        MailAccount& m = c.mail[n];
        TriggerSet& t = c.trigger[n];
        r.text(Net, key(n, "Msg"), m.msg);
        r.text(Net, key(n, "Dst"), m.dst);
        r.text(Net, key(n, "Subject"), m.subject);
        r.field(Net, key(n, "VrTr"), t.vrTr, f.txtTriggerMail[n]);
        r.field(Net, key(n, "VlTr"), t.vlTr, f.txtValTriggerMail[n]);
        r.field(Net, key(n, "VarAttch"), m.varAttch, f.txtVarAttach[n]);
        r.number(Net, key(n, "Attch"), m.attch);
        r.triggerFlags(n, t);
    }
    r.field(Net, key(PopTrigger, "VrTr"), c.trigger[PopTrigger].vrTr, f.txtTriggerMail[PopTrigger]);
    r.field(Net, key(PopTrigger, "VlTr"), c.trigger[PopTrigger].vlTr,
            f.txtValTriggerMail[PopTrigger]);
    r.triggerFlags(PopTrigger, c.trigger[PopTrigger]);
    r.text(Prog, QStringLiteral("BlockFree"), c.blockFree);
    r.text(Prog, QStringLiteral("BlockUsed"), c.blockUsed);
    r.text(Prog, QStringLiteral("BlockF1"), c.blockF1);
    r.text(Prog, QStringLiteral("BlockF2"), c.blockF2);
    r.number(Prog, QStringLiteral("Baud232"), c.baud232);
    r.number(Prog, QStringLiteral("Baud485"), c.baud485);
    r.number(Prog, QStringLiteral("Port232"), c.port232);
    r.number(Prog, QStringLiteral("Id232"), c.id232);
    r.number(Prog, QStringLiteral("Id485"), c.id485);

    LoadResult result;
    if (r.failed()) {
        result.status = LoadResult::Status::BadValue;
        result.key = r.badKey;
        return result;
    }
    const NodeConfig before = session_.config;
    session_.config = c;
    const bool wasLoading = session_.loading;
    session_.loading = true;
    afterFill_.clear();
    filling_ = true;
    result.skipped = r.skipped + fillWindow(before, r.skipped);
    filling_ = false;
    result.warnings = std::exchange(afterFill_, {});
    session_.loading = wasLoading;
    return result;
}

void ConfigFiles::warnAfterFill(const QString& title, const QString& text) {
    if (filling_)
        afterFill_.append({title, text});
    else
        messages_.warning(title, text);
}

QStringList ConfigFiles::fillWindow(const NodeConfig& before, const QStringList& keep) {
    // Works on a copy: the handlers that the fill runs may write into the record.
    const NodeConfig c = session_.config;
    NodeConfig& record = session_.config;
    form::MainForm& f = form_;
    QStringList skipped;
    // A position outside the list skips the field. -1 would mean "no selection", which no
    // stored value stands for, so negative positions are skipped too. A skipped list keeps
    // what it showed and the record takes that back, so that saving does not store the
    // refused position (with nothing shown, the value the record had before the load).
    // The position kept is chosen again, so that its handler runs as it would for a loaded
    // position and the window stays adapted to what it shows (the software version decides,
    // for one, the PLC port of an Ethernet node).
    const auto select = [&](form::ListControl& list, qint16 NodeConfig::*value, int offset,
                            const char* name) {
        const int position = c.*value - offset;
        if (position >= 0 && list.setListIndex(position)) return;
        skipped << QLatin1String(name);
        record.*value = list.listIndex() >= 0 ? qint16(list.listIndex() + offset) : before.*value;
        if (list.listIndex() >= 0) list.setListIndex(list.listIndex());
    };
    // Numbers the reading skipped leave their field as it is.
    const auto show = [&keep](form::TextBox& field, qint64 value, const QString& name) {
        if (!keep.contains(name)) field.setText(QString::number(value));
    };

    for (int i = 0; i < 4; ++i) {
        show(f.txtIP[i], c.ip[i], key(i, "IP"));
        show(f.txtMsk[i], c.mask[i], key(i, "MASK"));
        show(f.txtGW[i], c.gate[i], key(i, "Gate"));
    }
    show(f.txtPort, c.tcpPort, QStringLiteral("TcpPort"));
    select(f.cbPSerie, &NodeConfig::port, 1, "Port");
    f.txtAutPass.setText(c.pass);
    f.txtAutUser.setText(c.usser);
    f.txtPop.setText(c.pop);
    f.txtRemitente.setText(c.from);
    f.txtSMTP.setText(c.smtp);
    select(f.cbMinutosPop, &NodeConfig::minPop, 0, "MinPop");
    f.txtNodoPASS.setText(c.nodoPass);
    f.chkAutenticacion.setValue(c.autenticar);
    for (int n = 0; n < MailAccounts; ++n) {
        f.txtAsunto[n].setText(c.mail[n].subject);
        f.txtDestinatario[n].setText(c.mail[n].dst);
        f.txtMensaje[n].setText(c.mail[n].msg);
        show(f.txtTriggerMail[n], c.trigger[n].vrTr, key(n, "VrTr"));
        show(f.txtValTriggerMail[n], c.trigger[n].vlTr, key(n, "VlTr"));
        show(f.txtVarAttach[n], c.mail[n].varAttch, key(n, "VarAttch"));
        f.chkAttachVar[n].setValue(c.mail[n].attch);
        showTrigger(f, n, c.trigger[n]);
    }
    show(f.txtValTriggerMail[PopTrigger], c.trigger[PopTrigger].vlTr, key(PopTrigger, "VlTr"));
    show(f.txtTriggerMail[PopTrigger], c.trigger[PopTrigger].vrTr, key(PopTrigger, "VrTr"));
    showTrigger(f, PopTrigger, c.trigger[PopTrigger]);
    if (c.mailRta >= 0 && c.mailRta < MailAccounts) {
        f.opMailRta[c.mailRta].setValue(true);
    } else {
        skipped << QStringLiteral("MailRta");
        const int shown = f.mailRtaGroup.selected();
        record.mailRta = shown >= 0 ? qint16(shown) : before.mailRta;
    }

    // The free list is always in ascending numeric order, whatever order the file has.
    QStringList freeBlocks;
    for (const QString& piece : splitList(c.blockFree)) freeBlocks << threeDigits(piece);
    std::stable_sort(freeBlocks.begin(), freeBlocks.end(), [](const QString& a, const QString& b) {
        return compiler::textValue(a) < compiler::textValue(b);
    });
    f.lstBlockFree.clear();
    for (const QString& block : freeBlocks) f.lstBlockFree.addItem(block);
    f.lstUsed.clear();
    for (const QString& piece : splitList(c.blockUsed)) {
        f.lstUsed.addItem(piece);
        f.lstBlockFree.removeItem(f.lstBlockFree.find(piece));
    }
    f.txtPri[0].setText(c.blockF1);
    f.txtPri[1].setText(c.blockF2);
    select(f.cbBaudios232, &NodeConfig::baud232, 0, "Baud232");
    select(f.cbBaudios485, &NodeConfig::baud485, 0, "Baud485");
    f.opPortPLC[1].setValue(true);
    if (c.port232 != 0) f.opPortPLC[0].setValue(true);
    select(f.cbId232, &NodeConfig::id232, 0, "Id232");
    select(f.cbId485, &NodeConfig::id485, 0, "Id485");
    select(f.cbSoftVer, &NodeConfig::softVer, 0, "SoftVer");
    return skipped;
}

void ConfigFiles::CollectSettings() {
    NodeConfig& c = session_.config;
    const form::MainForm& f = form_;
    // A list with nothing selected (a host that never chose, a skipped value) leaves the
    // record's value as it is: -1 is no position that a file may hold.
    const auto position = [](const form::ListControl& list, qint16& value, int offset) {
        if (list.listIndex() >= 0) value = qint16(list.listIndex() + offset);
    };
    for (int i = 0; i < 4; ++i) {
        c.ip[i] = fieldNumber(f.txtIP[i]);
        c.mask[i] = fieldNumber(f.txtMsk[i]);
        c.gate[i] = fieldNumber(f.txtGW[i]);
    }
    c.tcpPort = wideFieldNumber(f.txtPort);
    position(f.cbPSerie, c.port, 1);
    c.pass = f.txtAutPass.text();
    c.usser = f.txtAutUser.text();
    c.pop = f.txtPop.text();
    c.from = f.txtRemitente.text();
    c.smtp = f.txtSMTP.text();
    position(f.cbMinutosPop, c.minPop, 0);
    c.nodoPass = f.txtNodoPASS.text();
    c.autenticar = qint16(f.chkAutenticacion.value());
    for (int n = 0; n < MailAccounts; ++n) {
        c.mail[n].msg = f.txtMensaje[n].text();
        c.mail[n].dst = f.txtDestinatario[n].text();
        c.mail[n].subject = f.txtAsunto[n].text();
        c.mail[n].varAttch = fieldNumber(f.txtVarAttach[n]);
        c.mail[n].attch = qint16(f.chkAttachVar[n].value());
        collectTrigger(f, n, c.trigger[n]);
        // With no account chosen the previous choice stays.
        if (f.opMailRta[n].value()) c.mailRta = qint16(n);
    }
    collectTrigger(f, PopTrigger, c.trigger[PopTrigger]);
    c.blockFree = joinList(f.lstBlockFree.items());
    c.blockUsed = joinList(f.lstUsed.items());
    c.blockF1 = f.txtPri[0].text();
    c.blockF2 = f.txtPri[1].text();
    position(f.cbBaudios232, c.baud232, 0);
    position(f.cbBaudios485, c.baud485, 0);
    position(f.cbId232, c.id232, 0);
    position(f.cbId485, c.id485, 0);
    c.port232 = f.opPortPLC[0].value() ? -1 : 0;
}

SaveResult ConfigFiles::CollectAndSaveSettings() {
    if (!session_.savesSettings) return {};
    CollectSettings();
    return SaveConfig(session_.settingsPath());
}

void ConfigFiles::reportSkipped(const QString& title, const QString& path,
                                const QStringList& keys) {
    if (keys.isEmpty()) return;
    messages_.warning(title, QStringLiteral("El archivo \"%1\" se cargó, pero estos valores están "
                                            "fuera de su lista o de su rango y no se cargaron "
                                            "(esos campos conservan lo que tenían): %2.")
                                 .arg(path, keys.join(QStringLiteral(", "))));
}

void ConfigFiles::reportLoaded(const QString& title, const QString& path, const LoadResult& r) {
    for (const LoadResult::Warning& w : r.warnings) messages_.warning(w.title, w.text);
    reportSkipped(title, path, r.skipped);
}

bool ConfigFiles::loadProgramFile(const QString& path) {
    const QString title = QStringLiteral("Cargar programa");
    const LoadResult r = LoadConfig(path);
    switch (r.status) {
        case LoadResult::Status::Unreadable:
            messages_.warning(title, QStringLiteral("No se pudo leer el archivo \"%1\": %2. "
                                                    "La configuración no cambió.")
                                         .arg(path, r.error));
            return false;
        case LoadResult::Status::BadValue:
            messages_.warning(title, QStringLiteral("El archivo \"%1\" no se cargó: el valor de "
                                                    "la clave %2 no es válido. La configuración "
                                                    "no cambió.")
                                         .arg(path, r.key));
            return false;
        case LoadResult::Status::Loaded:
            break;
    }
    reportLoaded(title, path, r);
    form_.lstUsed.setListIndex(0);
    return true;
}

bool ConfigFiles::saveProgramFile(const QString& path) {
    const QString title = QStringLiteral("Salvar programa");
    const SaveResult settings = CollectAndSaveSettings();
    if (!settings.ok)
        qCWarning(lcConfig) << "settings file not saved:" << session_.settingsPath()
                            << settings.error;
    const SaveResult r = SaveConfig(path);
    if (!r.ok)
        messages_.warning(
            title, QStringLiteral("No se pudo guardar el archivo \"%1\": %2.").arg(path, r.error));
    return r.ok;
}

QString ConfigFiles::badCopyPath(const QString& path) {
    QString bad = path + QStringLiteral(".bad");
    // An earlier damaged copy is evidence too: never replace it.
    for (int n = 1; QFile::exists(bad); ++n) bad = path + QStringLiteral(".bad.%1").arg(n);
    return bad;
}

void ConfigFiles::loadSettingsAtStartUp() {
    const QString title = QStringLiteral("Configuración");
    const QString path = session_.settingsPath();
    LoadResult r = LoadConfig(path);
    if (!r.ok()) {
        const QString why = r.status == LoadResult::Status::BadValue
                                ? QStringLiteral("el valor de la clave %1 no es válido").arg(r.key)
                                : r.error;
        const QString bad = badCopyPath(path);
        QString text;
        if (QFile::rename(path, bad))
            text = QStringLiteral(
                       "El archivo de configuración \"%1\" está dañado (%2). Se lo "
                       "guardó como \"%3\" y el programa comienza con la "
                       "configuración inicial.")
                       .arg(path, why, bad);
        else
            text = QStringLiteral(
                       "El archivo de configuración \"%1\" está dañado (%2) y no se "
                       "pudo apartar. El programa comienza con la configuración "
                       "inicial.")
                       .arg(path, why);
        messages_.warning(title, text);
        r = loadFrom(IniFile());
    }
    reportLoaded(title, path, r);
}

bool ConfigFiles::saveSettingsAtShutdown() {
    const SaveResult r = CollectAndSaveSettings();
    if (!r.ok)
        qCWarning(lcConfig) << "settings file not saved at closing:" << session_.settingsPath()
                            << r.error;
    return r.ok;
}

}  // namespace brisa
