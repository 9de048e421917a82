#include "RecorderTestSupport.h"

BEGIN_MESSAGE_MAP(TestableMorvaneDlg, CMorvaneDlg)
    {WM_TIMER, 0, 0, [](CCmdTarget* t, UINT, WPARAM w, LPARAM) -> LRESULT {
         static_cast<ThisClass*>(t)->CountTimerMessage(UINT_PTR(w));
         return 0;
     }},
END_MESSAGE_MAP()
