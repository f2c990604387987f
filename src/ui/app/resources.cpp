#include "ui/app/resources.h"

#include <QtGlobal>

static void InitQuillmarkResources() { Q_INIT_RESOURCE(quillmark); }

namespace qm {

void InitResources() { InitQuillmarkResources(); }

}  // namespace qm
