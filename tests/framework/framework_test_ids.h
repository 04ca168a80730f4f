/* Resource ids of the framework's window tests (framework_test.rc). */
#ifndef LEXON_TESTS_FRAMEWORK_TEST_IDS_H
#define LEXON_TESTS_FRAMEWORK_TEST_IDS_H

#include "translator/framework/framework_ids.h"

#define IDR_TITLED_FRAME   201
#define IDR_PLAIN_FRAME    202
#define IDD_FIELDS         203
#define IDC_FIRST          1001
#define IDC_SECOND         1002

#define ID_ALL_HANDLE      40001
#define ID_DOC_FRAME_APP   40002
#define ID_FRAME_APP       40003
#define ID_APP_ONLY        40004
#define ID_NOBODY          40005

#endif
