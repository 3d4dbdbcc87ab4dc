#include "DemoProject.h"

#include <system_error>

TEtsStatus BuildProjectStore(const std::filesystem::path& file, const std::string& sql)
{
    if (auto created = TEts2Cdi::CreateProjectStore(file); !created)
        return created;
    TEtsStatus status;
    {
        TEts2Cdi ets(nullptr, kDemoModuleName, false);
        status = ets.OpenProjectStore(file);
        if (status)
            status = ets.ExecuteSql(sql);
    }
    if (!status) {
        std::error_code ec;
        std::filesystem::remove(file, ec);
    }
    return status;
}

TEtsStatus BuildDemoProject(const std::filesystem::path& file)
{
    return BuildProjectStore(file, DemoProjectSql());
}
