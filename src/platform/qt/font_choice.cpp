// The first installed of the known gothic families, else the first fixed-pitch Japanese family,
// else any Japanese one.
#include "font_choice.h"

#include <QFontDatabase>

namespace tavori::qt {

QString chooseTextFamily(const QStringList& japaneseFamilies, const QStringList& fixedPitchFamilies) {
    const QStringList preferred = {QStringLiteral("ＭＳゴシック"), QStringLiteral("MS Gothic"),
                                   QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                                   QStringLiteral("TakaoGothic")};
    for (const QString& family : preferred) {
        if (japaneseFamilies.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    for (const QString& family : japaneseFamilies) {
        if (fixedPitchFamilies.contains(family)) {
            return family;
        }
    }
    return japaneseFamilies.isEmpty() ? QString() : japaneseFamilies.first();
}

QFont chooseTextFont() {
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    QStringList fixedPitch;
    for (const QString& family : japanese) {
        if (QFontDatabase::isFixedPitch(family)) {
            fixedPitch.append(family);
        }
    }
    QFont font;
    const QString family = chooseTextFamily(japanese, fixedPitch);
    if (!family.isEmpty()) {
        font.setFamily(family);
    }
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(true);
    return font;
}

}  // namespace tavori::qt
