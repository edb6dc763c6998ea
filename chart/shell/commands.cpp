#include "commands.h"

#include "frmmain.h"

namespace velorin {

namespace {

const MainCommand kCommands[] = {
    {0, "Létező asztrogram megnyitása", "Megnyitás", {Qt::Key_F3, 0}, &frmMain::openChart},
    {1,
     "Új asztrogram, vagy jelenlegi adatok módositása",
     "",
     {Qt::Key_F2, 0},
     &frmMain::showBirthDataForm},
    {2,
     "Asztrógram, adatlap illetve értelmezés nyomtatása",
     "Asztrógram, adatlap nyomtatása",
     {Qt::Key_F10, 0},
     &frmMain::printCommand},
    {3,
     "Asztrogram, adatlap illetve értelmezés mentése",
     "Asztrógram, adatlap mentése",
     {Qt::Key_F4, 0},
     &frmMain::saveCommand},
    {4, "Asztrogram mentése kép formátumban", "Képbe mentés", {0, 0}, &frmMain::mKep},
    {5,
     "Adatlap megjelenitése, eltüntetése",
     "Adatlap mutat-rejt",
     {Qt::Key_F5, Qt::Key_F9},
     &frmMain::toggleDataSheet},
    {6,
     "Asztrogram előrevivése 3 perccel",
     "3 perc előre",
     {Qt::Key_Right, 0},
     &frmMain::stepTime<3>},
    {7,
     "Asztrogram visszavivése 3 perccel",
     "3 perc vissza",
     {Qt::Key_Left, 0},
     &frmMain::stepTime<-3>},
    {8,
     "Fokértékek mutatása, rejtése",
     "Fokok mutatása, rejtése",
     {Qt::Key_F8, 0},
     &frmMain::toggleDegrees},
    {9,
     "Aszcendens fényszögeinek mutatása, rejtése",
     "Fényszögek az aszcendensel",
     {Qt::Key_F7, 0},
     &frmMain::toggleAscAspects},
    {10, "Beállitások", "", {Qt::Key_F6, 0}, &frmMain::toggleSettings},
    {11,
     "Értelmezés (analitikus szövegek) generálása",
     "Elemző szöveg generálása",
     {0, 0},
     &frmMain::generateInterpretation},
    {12,
     "Az analitikus szövegek összekapcsolása a kódrendszerrel",
     "Szövegek összekapcsolása",
     {0, 0},
     &frmMain::openCodeEditor},
    {13, "Értelmezésiró ablak megnyitása", "", {0, 0}, &frmMain::showInterpretationEditor},
    {14, "A programról", "A programról", {0, 0}, &frmMain::showAbout},
    {15, "Kilépés a programból", "", {0, 0}, &frmMain::quit},
    {16, "Asztrogram félretevése", "Asztrogram félretevése", {0, 0}, &frmMain::setAside},
    {17,
     "Ügyféljelentés készítése PDF-be: adatok, asztrogram, táblázatok, értelmezés",
     "Jelentés (PDF)",
     {Qt::Key_F12, 0},
     &frmMain::makeReport},
    {18,
     "Előrejelzés: tranzitok, progresszió, napvisszatérés",
     "Előrejelzés",
     {Qt::Key_F11, 0},
     &frmMain::showForecast},
    {-1, "", "", {Qt::Key_Space, 0}, &frmMain::redraw},
    {-1, "", "", {Qt::Key_Up, 0}, &frmMain::stepTime<30>},
    {-1, "", "", {Qt::Key_Down, 0}, &frmMain::stepTime<-30>},
    {-1, "", "", {Qt::Key_PageUp, 0}, &frmMain::stepTime<60>},
    {-1, "", "", {Qt::Key_PageDown, 0}, &frmMain::stepTime<-60>},
    {-1, "", "", {Qt::Key_End, 0}, &frmMain::stepTime<1440>},
    {-1, "", "", {Qt::Key_Home, 0}, &frmMain::stepTime<-1440>},
};

} // namespace

std::span<const MainCommand> mainCommands() {
    return kCommands;
}

const MainCommand* commandForButton(int n) {
    for (const MainCommand& c : kCommands)
        if (c.button == n && n >= 0)
            return &c;
    return nullptr;
}

const MainCommand* commandForKey(int key) {
    if (key == 0)
        return nullptr;
    for (const MainCommand& c : kCommands)
        if (c.keys[0] == key || c.keys[1] == key)
            return &c;
    return nullptr;
}

// "A(z) „Létező asztrogram megnyitása” parancs": the command as the status
// line names it; the keys without a button have no name of their own.
QString commandName(const MainCommand& c) {
    const char* name = *c.status ? c.status : c.tip;
    if (!*name)
        return QStringLiteral("A billentyűparancs");
    return QStringLiteral("A(z) „%1” parancs").arg(QString::fromUtf8(name));
}

QString toolbarStatusText(int n) {
    const MainCommand* c = commandForButton(n);
    return c ? QString::fromUtf8(c->status) : QString();
}

QString toolbarToolTip(int n) {
    const MainCommand* c = commandForButton(n);
    return c ? QString::fromUtf8(c->tip) : QString();
}

} // namespace velorin
