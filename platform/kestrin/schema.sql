-- The ETS project store: what ETS would hold for the editor, in one SQLite file.
--
-- TEts2Cdi opens a store only when its application_id is the one set below and the table
-- ets_info has its row; anything else is refused, nothing is created in its place. A new,
-- empty store is made from this file by TEts2Cdi::CreateProjectStore.
--
-- Ids are SQLite rowids, positive and below 2^31 (the interface carries them as 32-bit
-- longs). Tables whose rows ETS makes while the editor runs use AUTOINCREMENT, so an id is
-- never handed out twice. Every text is UTF-8; the length checks (in bytes) keep each text
-- within the field of the DAL record that carries it, so a read never cuts a text.
--
-- Every read by key runs on an index. Indexes are written "IF NOT EXISTS": opening a store
-- of an older user_version makes those it lacks (TEts2Cdi::OpenProjectStore).
--
-- Changing this file: keep the application_id, raise user_version, and keep the DAL record
-- fields in kestrin/Dal.h in step. A change that is not an index needs its own upgrade step.

PRAGMA application_id = 1296650834;  -- 'MIRR'
PRAGMA user_version = 2;

-- The ETS host itself: one row. GetEtsInfo reads it. An empty directory means the folder
-- of the store file. The version is four 16-bit numbers; the editor needs 1.2.0.101 or later.
CREATE TABLE ets_info (
    id          INTEGER PRIMARY KEY CHECK (id = 1),
    product     TEXT    NOT NULL DEFAULT 'ETS' CHECK (length(CAST(product AS BLOB)) < 32),
    directory   TEXT    NOT NULL DEFAULT '' CHECK (length(CAST(directory AS BLOB)) < 4096),
    version1    INTEGER NOT NULL DEFAULT 1   CHECK (version1 BETWEEN 0 AND 65535),
    version2    INTEGER NOT NULL DEFAULT 2   CHECK (version2 BETWEEN 0 AND 65535),
    version3    INTEGER NOT NULL DEFAULT 0   CHECK (version3 BETWEEN 0 AND 65535),
    version4    INTEGER NOT NULL DEFAULT 101 CHECK (version4 BETWEEN 0 AND 65535)
);
INSERT INTO ets_info (id) VALUES (1);

-- Projects (DAL_PROJECT).
CREATE TABLE project (
    id          INTEGER PRIMARY KEY,
    name        TEXT NOT NULL DEFAULT '' CHECK (length(CAST(name AS BLOB)) < 256),
    description TEXT NOT NULL DEFAULT '' CHECK (length(CAST(description AS BLOB)) < 566)
);

-- Areas of a project (DAL_AREA); number = first part of a physical address.
CREATE TABLE area (
    id          INTEGER PRIMARY KEY,
    project_id  INTEGER NOT NULL REFERENCES project (id) ON DELETE CASCADE,
    number      INTEGER NOT NULL CHECK (number BETWEEN 0 AND 15),
    name        TEXT NOT NULL DEFAULT '' CHECK (length(CAST(name AS BLOB)) < 100),
    description TEXT NOT NULL DEFAULT '' CHECK (length(CAST(description AS BLOB)) < 274),
    UNIQUE (project_id, number)
);

-- Lines of an area (DAL_LINE); number = second part of a physical address.
CREATE TABLE line (
    id          INTEGER PRIMARY KEY,
    area_id     INTEGER NOT NULL REFERENCES area (id) ON DELETE CASCADE,
    number      INTEGER NOT NULL CHECK (number BETWEEN 0 AND 15),
    name        TEXT NOT NULL DEFAULT '' CHECK (length(CAST(name AS BLOB)) < 100),
    description TEXT NOT NULL DEFAULT '' CHECK (length(CAST(description AS BLOB)) < 280),
    UNIQUE (area_id, number)
);

-- Products (application programs) that devices are made from. name is the text a device
-- is recognised by (DAL_DEVICE.ProductName); module_name names the plug-in module the
-- product belongs to (the alarm centre's is "244_ID").
CREATE TABLE product (
    id          INTEGER PRIMARY KEY,
    name        TEXT NOT NULL DEFAULT '' CHECK (length(CAST(name AS BLOB)) < 164),
    module_name TEXT NOT NULL DEFAULT '' CHECK (length(CAST(module_name AS BLOB)) < 64)
);

-- Product parameters (DAL_PARAMETER). number is what the plug-in addresses a parameter by
-- (TEtsDeviceParam); the parameter named "DeviceId" keeps the id under which the editor
-- stored a device's configuration.
CREATE TABLE parameter (
    id            INTEGER PRIMARY KEY,
    product_id    INTEGER NOT NULL REFERENCES product (id) ON DELETE CASCADE,
    number        INTEGER NOT NULL CHECK (number BETWEEN -32768 AND 32767),
    name          TEXT    NOT NULL DEFAULT '' CHECK (length(CAST(name AS BLOB)) < 256),
    default_value INTEGER NOT NULL DEFAULT 0 CHECK (default_value BETWEEN -2147483648 AND 2147483647),
    UNIQUE (product_id, number)
);

-- Communication objects of a product (DAL_COMM_OBJECT). object_type is the size code
-- 0 "1 Bit" .. 15 "VARDATA". The five flags are what a new device object starts with.
CREATE TABLE comm_object (
    id            INTEGER PRIMARY KEY,
    product_id    INTEGER NOT NULL REFERENCES product (id) ON DELETE CASCADE,
    number        INTEGER NOT NULL CHECK (number BETWEEN 0 AND 32767),
    object_type   INTEGER NOT NULL CHECK (object_type BETWEEN 0 AND 15),
    name          TEXT    NOT NULL DEFAULT '' CHECK (length(CAST(name AS BLOB)) < 100),
    function      TEXT    NOT NULL DEFAULT '' CHECK (length(CAST(function AS BLOB)) < 100),
    kind          INTEGER NOT NULL DEFAULT 0 CHECK (kind BETWEEN -128 AND 127),
    io_type       INTEGER NOT NULL DEFAULT 0,
    read_flag     INTEGER NOT NULL DEFAULT 0 CHECK (read_flag IN (0, 1)),
    write_flag    INTEGER NOT NULL DEFAULT 1 CHECK (write_flag IN (0, 1)),
    comm_flag     INTEGER NOT NULL DEFAULT 1 CHECK (comm_flag IN (0, 1)),
    transmit_flag INTEGER NOT NULL DEFAULT 1 CHECK (transmit_flag IN (0, 1)),
    update_flag   INTEGER NOT NULL DEFAULT 0 CHECK (update_flag IN (0, 1))
);
CREATE INDEX IF NOT EXISTS comm_object_product ON comm_object (product_id);

-- Which communication objects a parameter shows for which of its values. An object with
-- no row here is always shown. All rows of one object must name the same parameter (its
-- DAL_COMM_OBJECT.ParameterKey); an object may be shown by several values.
CREATE TABLE parameter_shows (
    parameter_id   INTEGER NOT NULL REFERENCES parameter (id) ON DELETE CASCADE,
    value          INTEGER NOT NULL,
    comm_object_id INTEGER NOT NULL REFERENCES comm_object (id) ON DELETE CASCADE,
    PRIMARY KEY (parameter_id, value, comm_object_id)
);
CREATE INDEX IF NOT EXISTS parameter_shows_object ON parameter_shows (comm_object_id);

-- Devices of the project (DAL_DEVICE); number = last part of the physical address.
CREATE TABLE device (
    id          INTEGER PRIMARY KEY AUTOINCREMENT,
    line_id     INTEGER NOT NULL REFERENCES line (id) ON DELETE CASCADE,
    number      INTEGER NOT NULL CHECK (number BETWEEN 0 AND 255),
    product_id  INTEGER NOT NULL REFERENCES product (id),
    name        TEXT NOT NULL DEFAULT '' CHECK (length(CAST(name AS BLOB)) < 256),
    description TEXT NOT NULL DEFAULT '' CHECK (length(CAST(description AS BLOB)) < 1918)
);
CREATE INDEX IF NOT EXISTS device_line ON device (line_id);
CREATE INDEX IF NOT EXISTS device_product ON device (product_id);

-- The device objects of a device (DAL_DEVICE_OBJECT): one per communication object of its
-- product. visible is 1 while the device's parameters show the object; a hidden object
-- takes no links and no flag changes. The names come from the communication object.
CREATE TABLE device_object (
    id             INTEGER PRIMARY KEY AUTOINCREMENT,
    device_id      INTEGER NOT NULL REFERENCES device (id) ON DELETE CASCADE,
    comm_object_id INTEGER NOT NULL REFERENCES comm_object (id),
    visible        INTEGER NOT NULL DEFAULT 1 CHECK (visible IN (0, 1)),
    read_flag      INTEGER NOT NULL DEFAULT 0 CHECK (read_flag IN (0, 1)),
    write_flag     INTEGER NOT NULL DEFAULT 1 CHECK (write_flag IN (0, 1)),
    comm_flag      INTEGER NOT NULL DEFAULT 1 CHECK (comm_flag IN (0, 1)),
    transmit_flag  INTEGER NOT NULL DEFAULT 1 CHECK (transmit_flag IN (0, 1)),
    update_flag    INTEGER NOT NULL DEFAULT 0 CHECK (update_flag IN (0, 1)),
    UNIQUE (device_id, comm_object_id)
);

-- The parameter values of a device (DAL_DEVICE_PARAM). A parameter without a row has its
-- default value; writing it makes the row.
CREATE TABLE device_param (
    id           INTEGER PRIMARY KEY AUTOINCREMENT,
    device_id    INTEGER NOT NULL REFERENCES device (id) ON DELETE CASCADE,
    parameter_id INTEGER NOT NULL REFERENCES parameter (id) ON DELETE CASCADE,
    value        INTEGER NOT NULL CHECK (value BETWEEN -2147483648 AND 2147483647),
    UNIQUE (device_id, parameter_id)
);

-- The group-address tree of a project: main groups 0-15, middle groups 0-7, sub groups
-- (the group addresses) with their 16-bit address word, whose bits 14-11 and 10-8 are the
-- numbers of its main and middle group. object_type is the size code of the data carried,
-- -1 while no object has given the group a type.
CREATE TABLE main_group (
    id         INTEGER PRIMARY KEY AUTOINCREMENT,
    project_id INTEGER NOT NULL REFERENCES project (id) ON DELETE CASCADE,
    number     INTEGER NOT NULL CHECK (number BETWEEN 0 AND 15),
    name       TEXT NOT NULL DEFAULT '' CHECK (length(CAST(name AS BLOB)) < 256),
    UNIQUE (project_id, number)
);

CREATE TABLE middle_group (
    id            INTEGER PRIMARY KEY AUTOINCREMENT,
    main_group_id INTEGER NOT NULL REFERENCES main_group (id) ON DELETE CASCADE,
    number        INTEGER NOT NULL CHECK (number BETWEEN 0 AND 7),
    name          TEXT NOT NULL DEFAULT '' CHECK (length(CAST(name AS BLOB)) < 256),
    UNIQUE (main_group_id, number)
);

CREATE TABLE sub_group (
    id              INTEGER PRIMARY KEY AUTOINCREMENT,
    middle_group_id INTEGER NOT NULL REFERENCES middle_group (id) ON DELETE CASCADE,
    address         INTEGER NOT NULL CHECK (address BETWEEN 1 AND 32767),
    name            TEXT NOT NULL DEFAULT '' CHECK (length(CAST(name AS BLOB)) < 256),
    object_type     INTEGER NOT NULL DEFAULT -1 CHECK (object_type BETWEEN -1 AND 15),
    UNIQUE (middle_group_id, address)
);

-- An address word must lie in its middle group.
CREATE TRIGGER sub_group_address_insert BEFORE INSERT ON sub_group
WHEN NOT EXISTS (SELECT 1 FROM middle_group m JOIN main_group g ON g.id = m.main_group_id
                 WHERE m.id = NEW.middle_group_id
                   AND g.number = (NEW.address >> 11) AND m.number = ((NEW.address >> 8) & 7))
BEGIN
    SELECT RAISE(ABORT, 'sub_group: the address word does not lie in its middle group');
END;
CREATE TRIGGER sub_group_address_update BEFORE UPDATE OF address, middle_group_id ON sub_group
WHEN NOT EXISTS (SELECT 1 FROM middle_group m JOIN main_group g ON g.id = m.main_group_id
                 WHERE m.id = NEW.middle_group_id
                   AND g.number = (NEW.address >> 11) AND m.number = ((NEW.address >> 8) & 7))
BEGIN
    SELECT RAISE(ABORT, 'sub_group: the address word does not lie in its middle group');
END;

-- Links of device objects to sub groups (DAL_SUB_TO_OBJECT). send_flag marks the group
-- address the object sends on: at most one per device object.
CREATE TABLE sub_to_object (
    id               INTEGER PRIMARY KEY AUTOINCREMENT,
    sub_group_id     INTEGER NOT NULL REFERENCES sub_group (id) ON DELETE CASCADE,
    device_object_id INTEGER NOT NULL REFERENCES device_object (id) ON DELETE CASCADE,
    send_flag        INTEGER NOT NULL DEFAULT 0 CHECK (send_flag IN (0, 1)),
    UNIQUE (sub_group_id, device_object_id)
);
CREATE INDEX IF NOT EXISTS sub_to_object_object ON sub_to_object (device_object_id);

-- The configuration block the editor keeps per device (BlobRead/BlobWrite), byte for byte.
CREATE TABLE device_blob (
    device_id INTEGER PRIMARY KEY REFERENCES device (id) ON DELETE CASCADE,
    data      BLOB NOT NULL
);

-- The ETS profile: settings of the ETS user (TEtsProfile), not of a project. An editing
-- period does not cover them.
CREATE TABLE ets_profile (
    section TEXT NOT NULL,
    key     TEXT NOT NULL,
    value   TEXT NOT NULL,
    PRIMARY KEY (section, key)
);

-- The memory of the bus devices as the bus calls reach it: one image per physical address
-- (area << 12 | line << 8 | device), holding the device bytes from address 0. A device
-- without an image does not answer. An editing period does not cover the images: what is
-- written to a device stays written (unless the editor is killed in the period: then the
-- store, images and profile included, is as it was before the period).
CREATE TABLE bus_image (
    physical_address INTEGER PRIMARY KEY CHECK (physical_address BETWEEN 0 AND 65535),
    image            BLOB NOT NULL CHECK (length(image) <= 65536)
);
