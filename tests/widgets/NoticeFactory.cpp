#include "NoticeFactory.h"

#include "common/ContainReset.h"
#include "common/DeleteConfirm.h"
#include "common/ExeIsRun.h"
#include "common/GroupMaxThree.h"
#include "common/InportFail.h"
#include "common/KeyNumberLimit.h"
#include "common/LeftButtonOnly.h"
#include "common/LessThree.h"
#include "common/MakeMacro.h"
#include "common/MouseOffLine.h"
#include "common/QuestiondialogB.h"
#include "common/RePair.h"
#include "common/SameMacro.h"
#include "common/UpDateWarning.h"

#include <functional>
#include <map>

namespace {
template <typename T> std::unique_ptr<NoticeDialog> make()
{
    return std::make_unique<T>();
}

const std::map<QString, std::function<std::unique_ptr<NoticeDialog>()>> &factories()
{
    static const std::map<QString, std::function<std::unique_ptr<NoticeDialog>()>> all = {
        {"QuestiondialogB", make<QuestiondialogB>},
        {"MouseOffLine", make<MouseOffLine>},
        {"LeftButtonOnly", make<LeftButtonOnly>},
        {"MakeMacro", make<MakeMacro>},
        {"SameMacro", make<SameMacro>},
        {"GroupMaxThree", make<GroupMaxThree>},
        {"ContainReset", make<ContainReset>},
        {"KeyNumberLimit", make<KeyNumberLimit>},
        {"RePair", make<RePair>},
        {"DeleteConfirm", make<DeleteConfirm>},
        {"ExeIsRun", make<ExeIsRun>},
        {"InportFail", make<InportFail>},
        {"UpDateWarning", make<UpDateWarning>},
        {"LessThree", make<LessThree>},
    };
    return all;
}
} // namespace

std::unique_ptr<NoticeDialog> makeNotice(const QString &className)
{
    const auto it = factories().find(className);
    return it == factories().end() ? nullptr : it->second();
}

QStringList noticeClassNames()
{
    QStringList names;
    for (const auto &entry : factories())
        names.append(entry.first);
    return names;
}
