-- The demo ETS project: what ETS would hold for one alarm centre in a small house.
--
-- Runs against a new, empty project store (TEts2Cdi::CreateProjectStore, then
-- TEts2Cdi::ExecuteSql, which makes it one transaction); make-ets-project does both.
-- README.md in this folder says what the project holds.

-- ---- Project, areas, lines ---------------------------------------------------------------------
INSERT INTO project (id, name, description)
    VALUES (1, 'Demo-Haus', 'Einfamilienhaus mit Garage: Alarmzentrale, Schalteinrichtungen, Licht, Jalousien');
INSERT INTO area (id, project_id, number, name, description) VALUES
    (1, 1, 1, 'Wohnhaus', 'Bereich 1'),
    (2, 1, 2, 'Garage', 'Bereich 2');
INSERT INTO line (id, area_id, number, name, description) VALUES
    (1, 1, 1, 'Erdgeschoss', 'Linie 1.1'),
    (2, 1, 2, 'Obergeschoss', 'Linie 1.2'),
    (3, 2, 1, 'Garage', 'Linie 2.1');

-- ---- Products ----------------------------------------------------------------------------------
INSERT INTO product (id, name, module_name) VALUES
    (1, 'Alarmzentrale AZ 244', '244_ID'),
    (2, 'Schlüsselschalter', ''),
    (3, 'Codeschloss', ''),
    (4, 'Schaltaktor 4fach', ''),
    (5, 'Binäreingang 4fach', '');

-- ---- The alarm centre's parameters ------------------------------------------------------------
-- Numbered as the configuration writes them. Defaults are those of a new configuration.
INSERT INTO parameter (product_id, number, name, default_value) VALUES
    (1, 10070, 'Konfiguration der Sicherungsbereiche', 288555008),   -- 0x11330000
    (1, 10060, 'Reserve System', 0),
    (1, 10110, 'Impuls Scharf-/Unscharf-Signal', 5),
    (1, 10120, 'Scharf-Quittierungszeit', 5),
    (1, 10130, 'Unscharf-Quittierungszeit', 10),
    (1, 10010, 'Busspannungswiederkehr', 0),
    (1, 10140, 'Ereignisspeichertiefe', 160),
    (1, 10050, 'Systemuhr vorhanden', 1),
    (1, 10020, 'Automatische Sommer-/Winterzeit', 1),
    (1, 10030, 'Monat Winterzeit', 10),
    (1, 10040, 'Monat Sommerzeit', 3),
    (1, 10090, 'Abfrageintervall Melder', 10),
    (1, 10080, 'Intervall Funktionsüberwachung', 0),
    (1, 7160, 'Reaktion fehlende Funktionsüberwachung', 0),
    (1, 4620, 'Verdrahteter Melder-Eingang Parameterblock', 0),
    (1, 4630, 'Sabotage-Eingang Widerstand', 0),
    (1, 4610, 'Sabotage-Eingang Parameterblock', 0),
    (1, 15010, 'Alarmdauer Blitz', 255),
    (1, 15020, 'Alarmdauer Außen-Sirene', 180),
    (1, 15030, 'Alarmdauer Innen-Sirene', 180),
    (1, 15040, 'Alarmdauer Relais', 255),
    (1, 20010, 'ÜG R Überfall Blitz', 0),
    (1, 20020, 'ÜG R Überfall Außen-Sirene', 0),
    (1, 20030, 'ÜG R Überfall Innen-Sirene', 0),
    (1, 20040, 'ÜG R Überfall Relais', 0),
    (1, 13900, 'ÜG R Einbruch Blitz', 0),
    (1, 13800, 'ÜG R Einbruch Außen-Sirene', 0),
    (1, 13700, 'ÜG R Einbruch Innen-Sirene', 0),
    (1, 13600, 'ÜG R Einbruch Relais', 0),
    (1, 10100, 'Anzeige Quittierung Bereiche', 0),
    (1, 9000, 'DeviceId', 0);

WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 160),
     part(k) AS (VALUES (0), (1), (2), (3))
INSERT INTO parameter (product_id, number, name, default_value)
    SELECT 1, 3000 + 10 * i, printf('Melder %d Parameterblock', i), 0 FROM n
    UNION ALL
    SELECT 1, 11001 + 10 * i + k, printf('Melder %d Text %d', i, k + 1), 0 FROM n, part;

WITH part(k) AS (VALUES (0), (1), (2), (3))
INSERT INTO parameter (product_id, number, name, default_value)
    SELECT 1, 12611 + k, printf('Verdrahteter Melder-Eingang Text %d', k + 1), 0 FROM part;

WITH RECURSIVE t(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM t WHERE i < 49),
     part(k) AS (VALUES (0), (1), (2), (3))
INSERT INTO parameter (product_id, number, name, default_value)
    SELECT 1, 12621 + 5 * i + k, printf('Gerätetext %d Teil %d', i + 1, k + 1), 0 FROM t, part;

-- Per arming area n = 1..4: its text, arming, switching devices, acknowledgement.
WITH a(n) AS (VALUES (1), (2), (3), (4)),
     four(k) AS (VALUES (1), (2), (3), (4)),
     acks(k, what) AS (VALUES (1, 'Blitz'), (2, 'Außen-Sirene'), (3, 'Innen-Sirene'), (4, 'Relais'), (5, 'ÜG Scharf'))
INSERT INTO parameter (product_id, number, name, default_value)
    SELECT 1, 19000 + 100 * n + k, printf('SSB %d Text %d', n, k), 0 FROM a, four
    UNION ALL SELECT 1, 21000 + 10 * n, printf('SSB %d Scharfschaltverzögerung', n), 0 FROM a
    UNION ALL SELECT 1, 22000 + 10 * n, printf('SSB %d Alarmverzögerung', n), 0 FROM a
    UNION ALL SELECT 1, 17000 + 100 * n + 10 * k, printf('SSB %d SE%d Physikalische Adresse', n, k), 0 FROM a, four
    UNION ALL SELECT 1, 18000 + 100 * n + 10 * k, printf('SSB %d SE%d Sabotage-Eingang', n, k), 255 FROM a, four
    UNION ALL SELECT 1, 13000 + 100 * n + 10 * k, printf('SSB %d Quittierung %s', n, what), 0 FROM a, acks
    UNION ALL SELECT 1, 23000 + 100 * n + 10, printf('SSB %d Verschlusselement', n), 0 FROM a;

-- Alarming: base B per alarm type, five parameters B, B+10 .. B+40.
WITH b(base, what) AS (VALUES (16510, 'Feuer'), (16610, 'Überfall'), (16110, 'SSB 1'), (16210, 'SSB 2'),
                              (16310, 'SSB 3'), (16410, 'SSB 4')),
     o(k, output) AS (VALUES (0, 'Blitz'), (1, 'Außen-Sirene'), (2, 'Innen-Sirene'), (3, 'Relais'), (4, 'ÜG'))
INSERT INTO parameter (product_id, number, name, default_value)
    SELECT 1, base + 10 * k, printf('Alarmierung %s %s', what, output), 0 FROM b, o;

INSERT INTO parameter (product_id, number, name, default_value) VALUES
    (1, 14010, 'Anzeige 1 Bereiche', 0), (1, 14020, 'Anzeige 2 Bereiche', 0),
    (1, 14030, 'Anzeige 3 Bereiche', 0), (1, 14040, 'Anzeige 4 Bereiche', 0);

-- ---- The alarm centre's communication objects --------------------------------------------------
-- object_type is the size code: 0 "1 Bit", 7 "1 Byte", 9 "3 Byte".
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 160)
INSERT INTO comm_object (product_id, number, object_type, name, function, kind, io_type)
    SELECT 1, i - 1, 0, printf('Melder %d', i), 'Eingang', 1, 0 FROM n;

INSERT INTO comm_object (product_id, number, object_type, name, function, kind, io_type, read_flag) VALUES
    (1, 160, 0, 'Verdrahteter Sabotage-Eingang', 'Sabotage', 1, 0, 0),
    (1, 161, 0, 'Verdrahteter Melder-Eingang', 'Eingang', 1, 0, 0),
    (1, 162, 0, 'Scharfschalt-Eingang SSB 1', 'Scharf/Unscharf', 2, 0, 0),
    (1, 163, 0, 'Scharfschalt-Eingang SSB 2', 'Scharf/Unscharf', 2, 0, 0),
    (1, 164, 0, 'Scharfschalt-Eingang SSB 3', 'Scharf/Unscharf', 2, 0, 0),
    (1, 165, 0, 'Scharfschalt-Eingang SSB 4', 'Scharf/Unscharf', 2, 0, 0),
    (1, 166, 0, 'Status SSB 1', 'Scharf/Unscharf-Quittierung', 3, 1, 1),
    (1, 167, 0, 'Status SSB 2', 'Scharf/Unscharf-Quittierung', 3, 1, 1),
    (1, 168, 0, 'Status SSB 3', 'Scharf/Unscharf-Quittierung', 3, 1, 1),
    (1, 169, 0, 'Status SSB 4', 'Scharf/Unscharf-Quittierung', 3, 1, 1),
    (1, 180, 0, 'Alarm Feuer', 'Alarmierung', 4, 1, 1),
    (1, 181, 0, 'Alarm Überfall', 'Alarmierung', 4, 1, 1),
    (1, 182, 0, 'Alarm SSB 1', 'Alarmierung', 4, 1, 1),
    (1, 183, 0, 'Alarm SSB 2', 'Alarmierung', 4, 1, 1),
    (1, 184, 0, 'Alarm SSB 3', 'Alarmierung', 4, 1, 1),
    (1, 185, 0, 'Alarm SSB 4', 'Alarmierung', 4, 1, 1),
    (1, 190, 0, 'Alarmierung Objekt 1', 'EIB-Alarmierung', 4, 1, 1),
    (1, 191, 0, 'Alarmierung Objekt 2', 'EIB-Alarmierung', 4, 1, 1),
    (1, 192, 0, 'Alarmierung Objekt 3', 'EIB-Alarmierung', 4, 1, 1),
    (1, 193, 0, 'Alarmierung Objekt 4', 'EIB-Alarmierung', 4, 1, 1),
    (1, 200, 7, 'Anzeige 1', 'Status', 5, 1, 1),
    (1, 201, 0, 'Anzeige 1', 'Quittierung', 5, 0, 0),
    (1, 202, 7, 'Anzeige 2', 'Status', 5, 1, 1),
    (1, 203, 0, 'Anzeige 2', 'Quittierung', 5, 0, 0),
    (1, 204, 7, 'Anzeige 3', 'Status', 5, 1, 1),
    (1, 205, 0, 'Anzeige 3', 'Quittierung', 5, 0, 0),
    (1, 206, 7, 'Anzeige 4', 'Status', 5, 1, 1),
    (1, 207, 0, 'Anzeige 4', 'Quittierung', 5, 0, 0),
    (1, 210, 0, 'Netzausfall', 'Störung', 6, 1, 1),
    (1, 211, 0, 'Akku Störung', 'Störung', 6, 1, 1),
    (1, 212, 0, 'Interne Sabotage', 'Sabotage', 6, 1, 1),
    (1, 213, 0, 'Externe Sabotage', 'Sabotage', 6, 1, 1),
    (1, 215, 0, 'Funktionsüberwachung', 'Heartbeat', 6, 0, 0),
    (1, 220, 0, 'Ausfall Übertragungsgerät', 'Störung', 6, 1, 1),
    (1, 221, 0, 'Überlast externe Alarmgeber', 'Störung', 6, 1, 1),
    (1, 225, 0, 'Alarm-Reset', 'Reset', 2, 0, 0),
    (1, 226, 0, 'Meldertest', 'Test', 2, 0, 0),
    (1, 230, 9, 'Uhrzeit', 'Systemuhr', 7, 0, 1),
    (1, 231, 9, 'Datum', 'Systemuhr', 7, 0, 1);

-- ---- Display-order parameters: the objects each value shows -----------------------------------
-- (parameter number, value, object number). A detector's parameter takes the detector's kind
-- (1..6) as its value; every other one shows its objects for 1; 5700 shows as many
-- alarming objects as its value says. Parameter 0 (alarm type 2) shows nothing, so that
-- switching it succeeds without objects.
CREATE TEMP TABLE shows (parameter INTEGER, value INTEGER, object INTEGER);
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 160),
     kind(v) AS (VALUES (1), (2), (3), (4), (5), (6))
INSERT INTO shows SELECT CASE WHEN i = 160 THEN 1591 ELSE 10 * i END, v, i - 1 FROM n, kind;
WITH a(n) AS (VALUES (1), (2), (3), (4))
INSERT INTO shows
    SELECT 1550 + 100 * n, 1, 161 + n FROM a
    UNION ALL SELECT 1560 + 100 * n, 1, 165 + n FROM a
    UNION ALL SELECT 5200 + 100 * n, 1, 181 + n FROM a
    UNION ALL SELECT 6000 + 100 * n, 1, 198 + 2 * n FROM a
    UNION ALL SELECT 6000 + 100 * n, 1, 199 + 2 * n FROM a;
WITH c(m) AS (VALUES (1), (2), (3), (4)), o(k) AS (VALUES (0), (1), (2), (3))
INSERT INTO shows SELECT 5700, m, 190 + k FROM c, o WHERE k < m;
INSERT INTO shows VALUES
    (1592, 1, 160), (1593, 1, 161), (1599, 1, 225), (1599, 1, 226),
    (5100, 1, 180), (5200, 1, 181),
    (7100, 1, 210), (7100, 1, 211), (7100, 1, 212), (7100, 1, 213),
    (7150, 1, 215), (7200, 1, 220), (7200, 1, 221), (8000, 1, 230), (8000, 1, 231);

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 160)
INSERT INTO parameter (product_id, number, name, default_value)
    SELECT 1, CASE WHEN i = 160 THEN 1591 ELSE 10 * i END, printf('Objekte Melder %d', i), 0 FROM n;
INSERT INTO parameter (product_id, number, name, default_value) VALUES
    (1, 0, 'Objekte Alarmierung ext. Sabotagemelder', 0),
    (1, 1592, 'Objekte Verdrahteter Sabotage-Eingang', 0),
    (1, 1593, 'Objekte Verdrahteter Melder-Eingang', 0),
    (1, 1599, 'Objekte Scharfschaltung', 0),
    (1, 1650, 'Objekte Scharfschaltung SSB 1', 0), (1, 1660, 'Objekte Quittierung SSB 1', 0),
    (1, 1750, 'Objekte Scharfschaltung SSB 2', 0), (1, 1760, 'Objekte Quittierung SSB 2', 0),
    (1, 1850, 'Objekte Scharfschaltung SSB 3', 0), (1, 1860, 'Objekte Quittierung SSB 3', 0),
    (1, 1950, 'Objekte Scharfschaltung SSB 4', 0), (1, 1960, 'Objekte Quittierung SSB 4', 0),
    (1, 5100, 'Objekte Alarmierung Feuer', 0), (1, 5200, 'Objekte Alarmierung Überfall', 0),
    (1, 5300, 'Objekte Alarmierung SSB 1', 0), (1, 5400, 'Objekte Alarmierung SSB 2', 0),
    (1, 5500, 'Objekte Alarmierung SSB 3', 0), (1, 5600, 'Objekte Alarmierung SSB 4', 0),
    (1, 5700, 'Anzahl EIB Objekte zur Alarmierung', 0),
    (1, 6100, 'Objekte Anzeige 1', 0), (1, 6200, 'Objekte Anzeige 2', 0),
    (1, 6300, 'Objekte Anzeige 3', 0), (1, 6400, 'Objekte Anzeige 4', 0),
    (1, 7100, 'Objekte EIB-Alarm-System, Sicherheit', 0), (1, 7150, 'Objekte Funktionsüberwachung', 0),
    (1, 7200, 'Objekte System-Überwachung', 0), (1, 8000, 'Objekte Datum/Uhrzeit', 0);
INSERT INTO parameter_shows (parameter_id, value, comm_object_id)
    SELECT p.id, s.value, c.id FROM shows s
    JOIN parameter p ON p.product_id = 1 AND p.number = s.parameter
    JOIN comm_object c ON c.product_id = 1 AND c.number = s.object;
DROP TABLE shows;

-- ---- The other products' objects (always shown) ----------------------------------------------
INSERT INTO comm_object (product_id, number, object_type, name, function, kind, io_type) VALUES
    (2, 0, 0, 'Scharf/Unscharf', 'Schalten', 0, 1),
    (2, 1, 0, 'Sabotage', 'Melden', 0, 1),
    (2, 2, 0, 'Quittierung', 'Status', 0, 0),
    (3, 0, 0, 'Scharf/Unscharf', 'Schalten', 0, 1),
    (3, 1, 0, 'Sabotage', 'Melden', 0, 1),
    (3, 2, 0, 'Quittierung', 'Status', 0, 0),
    (4, 0, 0, 'Kanal A', 'Schalten', 0, 0),
    (4, 1, 0, 'Kanal B', 'Schalten', 0, 0),
    (4, 2, 0, 'Kanal C', 'Schalten', 0, 0),
    (4, 3, 0, 'Kanal D', 'Schalten', 0, 0),
    (5, 0, 0, 'Eingang 1', 'Melden', 0, 1),
    (5, 1, 0, 'Eingang 2', 'Melden', 0, 1),
    (5, 2, 0, 'Eingang 3', 'Melden', 0, 1),
    (5, 3, 0, 'Eingang 4', 'Melden', 0, 1);

-- ---- Devices -----------------------------------------------------------------------------------
-- The alarm centre is new: no configuration block yet, every parameter at its default, so
-- the editor builds its default configuration on the first EditParameters 1.
INSERT INTO device (id, line_id, number, product_id, name, description) VALUES
    (1, 1, 1, 1, 'Alarmzentrale', 'Zentrale im Hausanschlussraum'),
    (2, 1, 10, 2, 'Schlüsselschalter Haustür', 'Schalteinrichtung SSB 1'),
    (3, 2, 11, 2, 'Schlüsselschalter Terrasse', 'Schalteinrichtung SSB 1'),
    (4, 3, 5, 3, 'Codeschloss Garage', 'Schalteinrichtung SSB 2'),
    (5, 1, 20, 4, 'Schaltaktor Licht EG', ''),
    (6, 1, 30, 5, 'Binäreingang Fenster EG', 'Fensterkontakte'),
    (7, 3, 31, 5, 'Binäreingang Garage', 'Tor und Tür');

INSERT INTO device_param (device_id, parameter_id, value)
    SELECT 1, id, default_value FROM parameter WHERE product_id = 1 ORDER BY number;

-- One device object per communication object; shown when no parameter controls it or the
-- device's value of its parameter shows it.
INSERT INTO device_object (device_id, comm_object_id, visible, read_flag, write_flag, comm_flag, transmit_flag,
                           update_flag)
    SELECT d.id, c.id,
           NOT EXISTS (SELECT 1 FROM parameter_shows s WHERE s.comm_object_id = c.id)
           OR EXISTS (SELECT 1 FROM parameter_shows s JOIN device_param v ON v.parameter_id = s.parameter_id
                      WHERE s.comm_object_id = c.id AND v.device_id = d.id AND v.value = s.value),
           c.read_flag, c.write_flag, c.comm_flag, c.transmit_flag, c.update_flag
    FROM device d JOIN comm_object c ON c.product_id = d.product_id
    ORDER BY d.id, c.number;

-- ---- Group addresses (three levels) -----------------------------------------------------------
INSERT INTO main_group (id, project_id, number, name) VALUES
    (1, 1, 1, 'Alarmanlage'), (2, 1, 2, 'Licht'), (3, 1, 3, 'Jalousie'), (4, 1, 4, 'Heizung');
INSERT INTO middle_group (id, main_group_id, number, name) VALUES
    (10, 1, 0, 'Scharfschaltung'), (11, 1, 1, 'Melder'), (12, 1, 2, 'Alarmierung'), (13, 1, 3, 'Sabotage/Störung'),
    (20, 2, 0, 'Keller'), (21, 2, 1, 'Erdgeschoss'), (22, 2, 2, 'Obergeschoss'), (23, 2, 3, 'Außen'),
    (30, 3, 0, 'Erdgeschoss'), (31, 3, 1, 'Obergeschoss'), (32, 3, 2, 'Dachgeschoss'),
    (40, 4, 0, 'Sollwerte'), (41, 4, 1, 'Ventile');

INSERT INTO sub_group (middle_group_id, address, name) VALUES
    (10, 1 * 2048 + 0 * 256 + 1, 'Scharf/Unscharf SSB 1'),
    (10, 1 * 2048 + 0 * 256 + 2, 'Scharf/Unscharf SSB 2'),
    (10, 1 * 2048 + 0 * 256 + 3, 'Scharf/Unscharf SSB 3'),
    (10, 1 * 2048 + 0 * 256 + 4, 'Scharf/Unscharf SSB 4'),
    (10, 1 * 2048 + 0 * 256 + 11, 'Status SSB 1'),
    (10, 1 * 2048 + 0 * 256 + 12, 'Status SSB 2'),
    (10, 1 * 2048 + 0 * 256 + 20, 'Alarm-Reset'),
    (10, 1 * 2048 + 0 * 256 + 21, 'Meldertest'),
    (13, 1 * 2048 + 3 * 256 + 1, 'Sabotage Schlüsselschalter Haustür'),
    (13, 1 * 2048 + 3 * 256 + 2, 'Sabotage Schlüsselschalter Terrasse'),
    (13, 1 * 2048 + 3 * 256 + 3, 'Sabotage Codeschloss Garage');
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40)
INSERT INTO sub_group (middle_group_id, address, name)
    SELECT 11, 1 * 2048 + 1 * 256 + i, printf('Melder %d', i) FROM n
    UNION ALL SELECT 12, 1 * 2048 + 2 * 256 + i, printf('Alarmierung %d', i) FROM n WHERE i <= 10
    UNION ALL SELECT 13, 1 * 2048 + 3 * 256 + 10 + i, printf('Störung %d', i) FROM n WHERE i <= 10;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30)
INSERT INTO sub_group (middle_group_id, address, name)
    SELECT m.id, g.number * 2048 + m.number * 256 + i,
           printf('%s %s %d', g.name, m.name, i)
    FROM n, middle_group m JOIN main_group g ON g.id = m.main_group_id
    WHERE g.number = 2 OR (g.number = 3 AND i <= 20) OR (g.number = 4 AND i <= 20)
    ORDER BY m.id, i;

-- ---- Links: the switching devices share the arming group addresses --------------------------
-- (device, object number, group address word, sending).
CREATE TEMP TABLE links (device INTEGER, object INTEGER, address INTEGER, send INTEGER);
INSERT INTO links VALUES
    (2, 0, 1 * 2048 + 0 * 256 + 1, 1), (2, 1, 1 * 2048 + 3 * 256 + 1, 1), (2, 2, 1 * 2048 + 0 * 256 + 11, 0),
    (3, 0, 1 * 2048 + 0 * 256 + 1, 1), (3, 1, 1 * 2048 + 3 * 256 + 2, 1), (3, 2, 1 * 2048 + 0 * 256 + 11, 0),
    (4, 0, 1 * 2048 + 0 * 256 + 2, 1), (4, 1, 1 * 2048 + 3 * 256 + 3, 1), (4, 2, 1 * 2048 + 0 * 256 + 12, 0),
    (5, 0, 2 * 2048 + 1 * 256 + 1, 0), (5, 1, 2 * 2048 + 1 * 256 + 2, 0),
    (5, 2, 2 * 2048 + 1 * 256 + 3, 0), (5, 3, 2 * 2048 + 3 * 256 + 1, 0),
    (6, 0, 1 * 2048 + 1 * 256 + 1, 1), (6, 1, 1 * 2048 + 1 * 256 + 2, 1),
    (6, 2, 1 * 2048 + 1 * 256 + 3, 1), (6, 3, 1 * 2048 + 1 * 256 + 4, 1),
    (7, 0, 1 * 2048 + 1 * 256 + 5, 1), (7, 1, 1 * 2048 + 1 * 256 + 6, 1);
INSERT INTO sub_to_object (sub_group_id, device_object_id, send_flag)
    SELECT s.id, o.id, l.send FROM links l
    JOIN sub_group s ON s.address = l.address
    JOIN device_object o ON o.device_id = l.device
    JOIN comm_object c ON c.id = o.comm_object_id AND c.number = l.object;
UPDATE sub_group SET object_type = 0 WHERE id IN (SELECT sub_group_id FROM sub_to_object);
DROP TABLE links;

-- ---- ETS profile: the user's compiler and download settings -----------------------------------
-- The firmware files are kept under the firmware version as key; "Default" holds the values
-- the options dialog's default button restores.
INSERT INTO ets_profile (section, key, value) VALUES
    ('Compiler', 'BcuFirmwareVersion', '18'),
    ('BcuFirmware', '18', 'Firmware/Bcu12.s19'),
    ('Compiler', 'UserFirmwareVersion', '3'),
    ('UserFirmware', '3', 'Firmware/Az244_V3.s19'),
    ('Download', 'MaxRepeat', '5'),
    ('Download', 'UserMemAlles', '1'),
    ('Default', 'BcuFirmwareVersion', '18'),
    ('Default', 'BcuFirmware', 'Firmware/Bcu12.s19'),
    ('Default', 'UserFirmwareVersion', '3'),
    ('Default', 'UserFirmware', 'Firmware/Az244_V3.s19'),
    ('Default', 'MaxRepeat', '3'),
    ('Default', 'UserMemAlles', '0');

-- ---- Bus memory of the alarm centre (physical address 1.1.1 = 0x1101) ------------------------
-- 48 KiB of erased memory (every byte 0xFF: empty event records), then the pieces the editor
-- reads and writes. SQLite 3.40 has no byte fill: the hex text of zero bytes with each "00"
-- replaced by the byte 0xFF gives it. A patch keeps the bytes before and after it:
-- image := image[0, a) || bytes || image[a + length, end).
INSERT INTO bus_image (physical_address, image)
    VALUES (4353, CAST(replace(hex(zeroblob(49152)), '00', CAST(X'FF' AS TEXT)) AS BLOB));

CREATE TEMP TABLE patch (address INTEGER, bytes BLOB);
INSERT INTO patch VALUES
    -- Pointers, high byte first: clock block at 0xBE00, time to set at 0x4790, date to set
    -- at 0x4794, flag base 0x4400.
    (0xBEB8, X'BE00'), (0x477B, X'4790'), (0x477F, X'4794'), (0x43FD, X'4400'),
    -- The clock: 14:35:20, 24.05.(unused byte)26.
    (0xBE00, X'0E23141805001A'),
    (0x4790, X'000000'), (0x4794, X'010100'),
    -- Event area A (arming areas, 8 bytes each: day month year hour minute second kind sub):
    -- record 0 armed SSB 1, record 1 disarmed SSB 1, record 2 immediate detector 3 opened,
    -- record 3 alarm, record 4 alarm reset; record 160 (second arming area with the default
    -- depth 160) armed SSB 2.
    (0xA332 + 8 * 0, X'03051A080F000800'),
    (0xA332 + 8 * 1, X'03051A112A0A0900'),
    (0xA332 + 8 * 2, X'04051A020D370202'),
    (0xA332 + 8 * 3, X'04051A020E001300'),
    (0xA332 + 8 * 4, X'04051A0214000907'),
    (0xA332 + 8 * 160, X'0A051A1300000801'),
    -- Event area B: record 0 smoke detector fault (fire area), record 40 delayed detector 2
    -- opened (hold-up area).
    (0xB954 + 8 * 0, X'0C041A0B1E000500'),
    (0xB954 + 8 * 40, X'14041A09051E0101');
WITH RECURSIVE apply(i, image) AS (
    SELECT 0, (SELECT image FROM bus_image WHERE physical_address = 4353)
    UNION ALL
    SELECT i + 1, (SELECT CAST(substr(apply.image, 1, p.address) || p.bytes
                               || substr(apply.image, p.address + length(p.bytes) + 1) AS BLOB)
                   FROM patch p WHERE p.rowid = i + 1)
    FROM apply WHERE i < (SELECT count(*) FROM patch))
UPDATE bus_image SET image = (SELECT image FROM apply ORDER BY i DESC LIMIT 1) WHERE physical_address = 4353;
DROP TABLE patch;
