#pragma once
// Everything the window framework offers, for code that uses Win32.
#include "platform/core/Core.h"
#include <ole2.h>
#include "platform/Geometry.h"
#include "platform/Gdi.h"
#include "platform/ImageList.h"
#include "platform/CmdTarget.h"
#include "platform/CommandIds.h"
#include "platform/Wnd.h"
#include "platform/FrameWnd.h"
#include "platform/StdControls.h"
#include "platform/DataExchange.h"
#include "platform/Dialog.h"
#include "platform/PrintInfo.h"
#include "platform/PrintDialog.h"
#include "platform/WinApp.h"
#include "platform/ModalUI.h"
