#include "common/NoticeChoice.h"

int OfflineNoticeKind = 0;
int ImportResult = 0;
