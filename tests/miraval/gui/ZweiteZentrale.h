#pragma once
// A second alarm centre for the demo project: device 8, whose "DeviceId" still names device
// 1, as after ETS imported or copied it.

inline constexpr const char* kZweiteZentraleSql = R"sql(
INSERT INTO device (id, line_id, number, product_id, name) VALUES (8, 3, 2, 1, 'Zweite Zentrale');
INSERT INTO device_param (device_id, parameter_id, value)
    SELECT 8, id, CASE name WHEN 'DeviceId' THEN 1 ELSE default_value END FROM parameter WHERE product_id = 1;
INSERT INTO device_object (device_id, comm_object_id, visible)
    SELECT 8, c.id, NOT EXISTS (SELECT 1 FROM parameter_shows s WHERE s.comm_object_id = c.id)
    FROM comm_object c WHERE c.product_id = 1;
)sql";
