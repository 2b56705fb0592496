#include "framework/Resources.h"

#include <QtGlobal>

void InitQuillmarResources() {
    Q_INIT_RESOURCE(quillmar);
}
