#pragma once
// Message maps: a static table per class that routes messages and commands to
// member functions, searched from the most derived class to its bases. The
// tables are built with the BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP macros;
// each entry holds a plain function that calls the handler on the object.

#include "platform/ui/WinUser.h"

class CCmdTarget;

// Calls one handler: the object, then the message as it was sent.
using AFX_PMSG = LRESULT (*)(CCmdTarget* pTarget, UINT message, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // WM_xxx; WM_COMMAND for commands and control notifications
    UINT nCode;     // notification code of a WM_COMMAND entry (BN_CLICKED, CN_COMMAND)
    UINT nID;       // command or control id of a WM_COMMAND entry
    AFX_PMSG pfn;   // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root class
    const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs the handler of command nID with notification nCode; FALSE when
    // this object's maps have none.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry for the message (and, for WM_COMMAND, code and id),
    // most derived class first; null when none.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
};

#define DECLARE_MESSAGE_MAP()                                 \
protected:                                                    \
    static const AFX_MSGMAP* GetThisMessageMap();             \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                \
    {                                                                              \
        using ThisClass = theClass;                                                \
        using TheBaseClass = baseClass;                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                          \
            {0, 0, 0, nullptr}};                                                   \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,    \
                                              &_messageEntries[0]};                \
        return &messageMap;                                                        \
    }

// A command (menu command, accelerator or button click) by id.
#define ON_COMMAND(id, memberFxn)                                                  \
    {WM_COMMAND, CN_COMMAND, UINT(id),                                             \
     [](CCmdTarget* t, UINT, WPARAM, LPARAM) -> LRESULT {                          \
         (static_cast<ThisClass*>(t)->*(memberFxn))();                             \
         return 0;                                                                 \
     }},

#define ON_BN_CLICKED(id, memberFxn)                                               \
    {WM_COMMAND, BN_CLICKED, UINT(id),                                             \
     [](CCmdTarget* t, UINT, WPARAM, LPARAM) -> LRESULT {                          \
         (static_cast<ThisClass*>(t)->*(memberFxn))();                             \
         return 0;                                                                 \
     }},

#define ON_WM_PAINT()                                                              \
    {WM_PAINT, 0, 0, [](CCmdTarget* t, UINT, WPARAM, LPARAM) -> LRESULT {          \
         static_cast<ThisClass*>(t)->OnPaint();                                    \
         return 0;                                                                 \
     }},

#define ON_WM_SYSCOMMAND()                                                         \
    {WM_SYSCOMMAND, 0, 0, [](CCmdTarget* t, UINT, WPARAM w, LPARAM l) -> LRESULT { \
         static_cast<ThisClass*>(t)->OnSysCommand(UINT(w), l);                     \
         return 0;                                                                 \
     }},

#define ON_WM_TIMER()                                                              \
    {WM_TIMER, 0, 0, [](CCmdTarget* t, UINT, WPARAM w, LPARAM) -> LRESULT {        \
         static_cast<ThisClass*>(t)->OnTimer(UINT_PTR(w));                         \
         return 0;                                                                 \
     }},

#define ON_WM_QUERYDRAGICON()                                                      \
    {WM_QUERYDRAGICON, 0, 0, [](CCmdTarget* t, UINT, WPARAM, LPARAM) -> LRESULT {  \
         return reinterpret_cast<LRESULT>(static_cast<ThisClass*>(t)->OnQueryDragIcon()); \
     }},

// One entry for every WM_CTLCOLORxxx; the control kind is the message's
// distance from WM_CTLCOLORMSGBOX.
#define ON_WM_CTLCOLOR()                                                           \
    {WM_CTLCOLOR, 0, 0, [](CCmdTarget* t, UINT m, WPARAM w, LPARAM l) -> LRESULT { \
         return reinterpret_cast<LRESULT>(static_cast<ThisClass*>(t)->OnCtlColor(  \
             CDC::FromHandle(reinterpret_cast<HDC>(w)),                            \
             CWnd::FromHandle(reinterpret_cast<HWND>(l)), m - WM_CTLCOLORMSGBOX)); \
     }},
