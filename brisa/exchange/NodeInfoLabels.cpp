#include "exchange/NodeInfoLabels.h"

namespace brisa::exchange {

void lbInfNodoClear(form::MainForm& form) {
    for (form::Label* label : form.nodeInfoLabels()) label->setCaption(QString());
}

}  // namespace brisa::exchange
