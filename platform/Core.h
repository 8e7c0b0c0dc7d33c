#pragma once

// The portable core of kvVXComBase in one include: Win32 basic types,
// CObject/CRuntimeClass, CString, the collections, the exceptions, the file
// classes, CArchive and CTime.
#include "platform/WinTypes.h"
#include "platform/Object.h"
#include "platform/String.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/Time.h"
#include "platform/Archive.h"
#include "platform/Collections.h"
