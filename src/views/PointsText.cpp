#include "views/PointsText.h"

#include "framework/Profile.h"

#include <QCoreApplication>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kEntry = QStringLiteral("ShowPoints");

} // namespace

namespace PointsText {

bool AreShown() {
    return GetProfileInt(kSection, kEntry, 1) != 0;
}

void SetShown(bool bShown) {
    WriteProfileInt(kSection, kEntry, bShown ? 1 : 0);
}

QString Describe(const CBodPoints& points) {
    return Describe(points, QStringLiteral(" (")) + QLatin1Char(')');
}

QString Describe(const CBodPoints& points, const QString& strBetween) {
    //: %1 points earned on turning the deed in, %2 a space and an opening bracket or a line
    //: break, %3 the points banked.
    return QCoreApplication::translate("PointsText", "%1 points%2%3 banked")
        .arg(points.nTurnIn)
        .arg(strBetween, QString::fromStdString(BodPoints::FormatBank(points.nBankHundredths)));
}

} // namespace PointsText
