#include "TestDialogs.h"

namespace uitest {

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
    ON_BN_CLICKED(kGoButtonId, &TestDialog::OnGo)
    ON_WM_SYSCOMMAND()
    ON_WM_TIMER()
END_MESSAGE_MAP()

}  // namespace uitest
