#pragma once

#include "model/BodPoints.h"

#include <QString>

// Reward points as the windows show them, and the player's choice to see them at all: servers
// that run the old reward system give none, so View > Points turns them off (stored in the
// settings, on unless turned off).
namespace PointsText {

bool AreShown();
void SetShown(bool bShown);

// "210 points (42 banked)", or with another text than " (" … ")" between the two.
QString Describe(const CBodPoints& points);
QString Describe(const CBodPoints& points, const QString& strBetween);

} // namespace PointsText
