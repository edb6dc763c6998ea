#include "frmabout.h"

#include "assets/artwork.h"
#include "frmmain.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace velorin {

QString aboutText() {
    return versionText() +
           QStringLiteral(
               "\n"
               "Asztrológiai képletkészítő program a Velorin programcsomagból.\n"
               "\n"
               "Kiszámítja és megrajzolja a születési képletet (asztrogramot), adatlapot és "
               "elemző értelmezést készít, a képletet képbe menti és kinyomtatja.\n"
               "\n"
               "A bolygók és a házcsúcsok helyzetét a Swiss Ephemeris könyvtár számítja. "
               "A program a Qt és a libjpeg-turbo könyvtárat használja.\n"
               "\n"
               "ADATFORRÁSOK\n"
               "\n"
               "Helységek: a helységek neve, koordinátái és időzónája a GeoNames "
               "(https://www.geonames.org/) adatai alapján készült; licence Creative Commons "
               "Nevezd meg! 4.0 (CC BY 4.0, https://creativecommons.org/licenses/by/4.0/). "
               "A program adatfájlja ezek átalakítása (válogatott mezők, a magyar megyék neve "
               "magyarul).\n"
               "Időzónák: az időzónák és a nyári időszámítás története az IANA "
               "időzóna-adatbázisból "
               "(tz database, https://www.iana.org/time-zones) származik, a rendszer tzdata "
               "csomagján keresztül; az adatbázis közkincs.\n"
               "\n"
               "FELHASZNÁLÁSI FELTÉTELEK\n"
               "\n"
               "1. A program és a hozzá tartozó adatfájlok használatára a felhasználó nem "
               "kizárólagos "
               "jogot kap.\n"
               "2. A program által készített képletek, adatlapok és értelmezések a felhasználó "
               "saját munkái; ezeket szabadon felhasználhatja.\n"
               "3. A program a számításokat a lehető legnagyobb gondossággal végzi, de a szerzők "
               "nem vállalnak felelősséget a program használatából vagy az eredmények "
               "felhasználásából eredő közvetlen vagy közvetett károkért.\n"
               "4. A programban felhasznált külső könyvtárakra a saját licencük vonatkozik: "
               "Swiss Ephemeris (GNU AGPL), Qt (GNU LGPL), libjpeg-turbo (BSD-stílusú licenc).\n"
               "5. A program használatával a felhasználó elfogadja ezeket a feltételeket.\n");
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(QStringLiteral("A programról"));

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(artworkPixmap(QStringLiteral("window/program"), 128));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    Text1 = new QTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true);
    Text1->setPlainText(aboutText());
    Text1->setMinimumSize(440, 300);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName("Command1");
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(Text1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(Command1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top, 1);
    outer->addLayout(bottom);
}

} // namespace velorin
