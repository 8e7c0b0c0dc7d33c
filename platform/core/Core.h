#pragma once

// The portable core of kvVXComBase in one include: Win32 basic types,
// CObject/CRuntimeClass, CString, the collections, the exceptions, the file
// classes, CArchive and CTime.
#include "platform/core/WinTypes.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/Exceptions.h"
#include "platform/core/File.h"
#include "platform/core/Time.h"
#include "platform/core/Archive.h"
#include "platform/core/Collections.h"
