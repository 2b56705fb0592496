#pragma once

#include "model/DeedCombining.h"

#include <QString>

// Why a small deed cannot be dropped where the pointer is, in the player's words, for the status
// bar; empty where it can.
QString DropRefusalText(DeedCombining::Verdict verdict);
