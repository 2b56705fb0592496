#include "views/DropRefusal.h"

#include <QCoreApplication>

QString DropRefusalText(DeedCombining::Verdict verdict) {
    using Verdict = DeedCombining::Verdict;
    switch (verdict) {
    case Verdict::Combines:
        break;
    case Verdict::NotLargeAndSmall:
        return QCoreApplication::translate("DropRefusal", "Drop the small deed onto a large deed.");
    case Verdict::NoSuchPart:
        return QCoreApplication::translate("DropRefusal", "This large deed asks for no such item.");
    case Verdict::NotExceptional:
        return QCoreApplication::translate(
            "DropRefusal", "An exceptional large deed takes exceptional small deeds only.");
    case Verdict::OtherMaterial:
        return QCoreApplication::translate("DropRefusal",
                                           "This large deed asks for another material.");
    case Verdict::OtherAmount:
        return QCoreApplication::translate("DropRefusal",
                                           "The two deeds ask for different amounts.");
    case Verdict::Unfinished:
        return QCoreApplication::translate("DropRefusal", "The small deed is not complete yet.");
    case Verdict::AlreadyFilled:
        return QCoreApplication::translate("DropRefusal",
                                           "This large deed has that part filled already.");
    }
    return {};
}
