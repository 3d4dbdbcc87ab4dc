#include "LargeProject.h"

#include "DemoProject.h"

std::string LargeProjectSql(int devices, int groups)
{
    if (devices < 1 || devices > kLargeMaxDevices || groups < 1 || groups > kLargeMaxGroups)
        return {};
    const std::string d = std::to_string(devices), g = std::to_string(groups);
    // Ids: line 100 + area * 16 + line, device 1000 + k, main group 1000 + main, middle
    // group 2000 + main * 8 + middle, sub group 10000 + k: no clash with the demo's.
    return R"sql(
WITH RECURSIVE a(n) AS (SELECT 3 UNION ALL SELECT n + 1 FROM a WHERE n < 15)
INSERT INTO area (id, project_id, number, name) SELECT n, 1, n, printf('Bereich %d', n) FROM a;
WITH RECURSIVE l(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM l WHERE n < 15)
INSERT INTO line (id, area_id, number, name)
    SELECT 100 + a.id * 16 + l.n, a.id, l.n, printf('Linie %d.%d', a.number, l.n) FROM area a, l WHERE a.id >= 3;
WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < )sql" + d + R"sql( - 1)
INSERT INTO device (id, line_id, number, product_id, name)
    SELECT 1000 + i, 100 + (3 + i / 250 / 15) * 16 + 1 + (i / 250) % 15, 1 + i % 250, 4, printf('Aktor %d', i)
    FROM k;
INSERT INTO device_object (device_id, comm_object_id)
    SELECT d.id, c.id FROM device d JOIN comm_object c ON c.product_id = d.product_id WHERE d.id >= 1000
    ORDER BY d.id, c.number;
WITH RECURSIVE m(n) AS (SELECT 5 UNION ALL SELECT n + 1 FROM m WHERE n < 15)
INSERT INTO main_group (id, project_id, number, name) SELECT 1000 + n, 1, n, printf('Hauptgruppe %d', n) FROM m;
WITH RECURSIVE mid(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM mid WHERE n < 7)
INSERT INTO middle_group (id, main_group_id, number, name)
    SELECT 2000 + g.number * 8 + mid.n, g.id, mid.n, printf('Mittelgruppe %d/%d', g.number, mid.n)
    FROM main_group g, mid WHERE g.id > 1000;
WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < )sql" + g + R"sql( - 1),
     w(i, main, middle, sub) AS (SELECT i, 5 + i / 2040, (i / 255) % 8, 1 + i % 255 FROM k)
INSERT INTO sub_group (id, middle_group_id, address, name)
    SELECT 10000 + i, 2000 + main * 8 + middle, main * 2048 + middle * 256 + sub,
           printf('Gruppe %d/%d/%d', main, middle, sub)
    FROM w;
INSERT INTO sub_to_object (sub_group_id, device_object_id, send_flag)
    SELECT 10000 + (o.device_id - 1000) % )sql" + g + R"sql(, o.id, 1
    FROM device_object o JOIN comm_object c ON c.id = o.comm_object_id
    WHERE o.device_id >= 1000 AND c.number = 0;
UPDATE sub_group SET object_type = 0 WHERE id >= 10000 AND id IN (SELECT sub_group_id FROM sub_to_object);
)sql";
}

TEtsStatus BuildLargeProject(const std::filesystem::path& file, int devices, int groups)
{
    const std::string large = LargeProjectSql(devices, groups);
    if (large.empty())
        return {false, "a large project has 1 to " + std::to_string(kLargeMaxDevices) + " devices and 1 to "
                           + std::to_string(kLargeMaxGroups) + " group addresses"};
    return BuildProjectStore(file, std::string(DemoProjectSql()) + large);
}
