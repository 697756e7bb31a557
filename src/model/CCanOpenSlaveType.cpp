#include "CCanOpenSlaveType.h"

#include "StringCRC16.h"

#include <cstdlib>
#include <string>

namespace {

// One object-dictionary entry of a built-in type. The key gives the index
// (its first four hexadecimal digits) and the sub-index (the hexadecimal
// number after "SUB", none for the object itself).
struct BuiltinEntry {
    const char* key;
    const char* name;
    int objectType;
    int dataType;
    int access;
    int pdoMappable;
    int defaultValue;
    int subNumber;
};

const BuiltinEntry kMxServoEntries[] = {
    {"0002", "deftype_Integer8", OD_OBJECT_DEFTYPE, OD_TYPE_INTEGER8, OD_ACCESS_RWW, 1, 8, 0},
    {"0003", "deftype_Integer16", OD_OBJECT_DEFTYPE, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 16, 0},
    {"0004", "deftype_Integer32", OD_OBJECT_DEFTYPE, OD_TYPE_INTEGER32, OD_ACCESS_RWW, 1, 32, 0},
    {"0005", "deftype_Unsigned8", OD_OBJECT_DEFTYPE, OD_TYPE_UNSIGNED8, OD_ACCESS_RWW, 1, 8, 0},
    {"0006", "deftype_Unsigned16", OD_OBJECT_DEFTYPE, OD_TYPE_UNSIGNED16, OD_ACCESS_RWW, 1, 16, 0},
    {"0007", "deftype_Unsigned32", OD_OBJECT_DEFTYPE, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 32, 0},
    {"2100", "univeral variable", OD_OBJECT_VAR, -1, -1, 0, 0, 15},
    {"2100SUB1", "univeral variable1", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUB2", "univeral variable2", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUB3", "univeral variable3", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUB4", "univeral variable4", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUB5", "univeral variable5", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUB6", "univeral variable6", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUB7", "univeral variable7", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUB8", "univeral variable8", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUB9", "univeral variable9", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUBA", "univeral variable10", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUBB", "univeral variable11", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUBC", "univeral variable12", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUBD", "univeral variable13", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUBE", "univeral variable14", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2100SUBF", "univeral variable15", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2118", "seq_add", OD_OBJECT_VAR, OD_TYPE_UNSIGNED8, OD_ACCESS_RW, 1, 0, 0},
    {"2160", "output0_cfg", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 8},
    {"2160SUB6", "output0_cfg.temp", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"2161", "output1_cfg", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 8},
    {"2161SUB6", "output1_cfg.temp", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"2180", "cmp0_cfg", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 9},
    {"2180SUB7", "cmp0_cfg.temp", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"2181", "cmp1_cfg", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 9},
    {"2181SUB7", "cmp1_cfg.temp", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"2182", "cmp2_cfg", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 9},
    {"2182SUB7", "cmp2_cfg.temp", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"2183", "cmp3_cfg", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 9},
    {"2183SUB7", "cmp3_cfg.temp", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"21C0", "capture_cfg", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 5},
    {"21C0SUB2", "capture_cfg.count", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RWW, 1, 0, 0},
    {"21C0SUB3", "capture_cfg.value", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, 0, 0},
    {"21C0SUB4", "capture_cfg.strobe", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, 0, 0},
    {"2509", "master_cfg", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 9},
    {"2509SUB3", "master_cfg.factor", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RW, 1, 10000, 0},
    {"2509SUB4", "master_cfg.divider", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RW, 1, 10000, 0},
    {"2509SUB5", "master_cfg.mode", OD_OBJECT_VAR, OD_TYPE_UNSIGNED8, OD_ACCESS_RW, 1, 0, 0},
    {"2509SUB6", "master_position_actual_value", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2509SUB7", "gear_position_actual_value", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2509SUB8", "gear_velocity_actual_value", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2509SUB9", "External_master_position", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"2509SUBA", "External_master_velocity", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RW, 1, 0, 0},
    {"250A", "joy_cfg", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 20},
    {"250ASUBD", "joy_cfg.joy_control", OD_OBJECT_VAR, OD_TYPE_UNSIGNED8, OD_ACCESS_RWW, 1, 0, 0},
    {"250ASUBE", "joy_cfg.joy_status", OD_OBJECT_VAR, OD_TYPE_UNSIGNED8, OD_ACCESS_RO, 1, 0, 0},
    {"250ASUBF", "joy_cfg.joy_val", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, -8064000, 0},
    {"250ASUB10", "joy_cfg.joy_output", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, 0, 0},
    {"6007", "abort_conn_opt_code", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 0, 0},
    {"603F", "error_code", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RO, 1, 29445, 0},
    {"6040", "controlword", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 6, 0},
    {"6041", "statusword", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RO, 1, 31, 0},
    {"6060", "modes_of_operation", OD_OBJECT_VAR, OD_TYPE_INTEGER8, OD_ACCESS_WO, 1, 0, 0},
    {"6061", "modes_of_operation_dis", OD_OBJECT_VAR, OD_TYPE_INTEGER8, OD_ACCESS_RO, 1, 0, 0},
    {"6063", "pos_act_value_inc", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, -1, 0},
    {"6065", "following_error_window", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 2000, 0},
    {"6067", "position_window", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 10, 0},
    {"6069", "vel_sens_act_val", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, 0, 0},
    {"606B", "vel_demand_val", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, 0, 0},
    {"606C", "vel_actual_val", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, 0, 0},
    {"6073", "max_current", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RW, 1, 2047, 0},
    {"6078", "curr_act_val", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RO, 1, 0, 0},
    {"607A", "target_position", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RWW, 1, 0, 0},
    {"607C", "home_offset", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RWW, 1, 0, 0},
    {"607D", "soft_pos_limit", OD_OBJECT_ARRAY, OD_TYPE_UNSIGNED32, OD_ACCESS_RO, 0, 0, 3},
    {"607DSUB1", "soft_pos_limit.min_positions_limit", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"607DSUB2", "soft_pos_limit.max_positions_limit", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"607E", "polarity", OD_OBJECT_VAR, OD_TYPE_UNSIGNED8, OD_ACCESS_RWW, 1, 0, 0},
    {"607F", "max_profile_velocity", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 30000000, 0},
    {"6081", "profile_velocity", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"6083", "profile_acceleration", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 100000, 0},
    {"6084", "profile_deceleration", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 100000, 0},
    {"6085", "qstop_deceleration", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 100000, 0},
    {"6098", "homing_method", OD_OBJECT_VAR, OD_TYPE_INTEGER8, OD_ACCESS_RWW, 1, 6, 0},
    {"6099", "homing_speeds", OD_OBJECT_ARRAY, OD_TYPE_UNSIGNED32, OD_ACCESS_RO, 0, 0, 3},
    {"6099SUB1", "homing_speeds.search_for_switch", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 1000000, 0},
    {"6099SUB2", "homing_speeds.search_for_zero", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 100000, 0},
    {"609A", "homing_acceleration", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 10000, 0},
    {"60F6", "torque_ctrl_para", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 20},
    {"60F6SUB1", "torque_ctrl_para.tc_comm_lenght", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RWW, 1, 160, 0},
    {"60F6SUB2", "torque_ctrl_para.tc_comm_poles", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 0, 0},
    {"60F6SUB3", "torque_ctrl_para.tc_comm_v_preph_factor", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 80, 0},
    {"60F6SUB4", "torque_ctrl_para.tc_comm_c_preph_factor", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 0, 0},
    {"60F6SUB5", "torque_ctrl_para.tc_comm_max_prephase", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 60, 0},
    {"60F6SUB6", "torque_ctrl_para.tc_comm_find_current", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 1023, 0},
    {"60F6SUB7", "torque_ctrl_para.tc_comm_find_delay", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 500, 0},
    {"60F6SUB8", "torque_ctrl_para.tc_comm_find_damping", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 0, 0},
    {"60F6SUB9", "torque_ctrl_para.tc_comm_find_methode", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 0, 0},
    {"60F6SUBA", "torque_ctrl_para.tc_brake_delay", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 100, 0},
    {"60F6SUBB", "torque_ctrl_para.tc_reserved1", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 0, 0},
    {"60F6SUBC", "torque_ctrl_para.tc_reserved2", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 0, 0},
    {"60F6SUBD", "torque_ctrl_para.tc_fourier1", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 1000, 0},
    {"60F6SUBE", "torque_ctrl_para.tc_fourier3", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 0, 0},
    {"60F6SUBF", "torque_ctrl_para.tc_fourier5", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 0, 0},
    {"60F6SUB10", "torque_ctrl_para.tc_fourier7", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 0, 0},
    {"60F6SUB11", "torque_ctrl_para.tc_comm_offset", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RO, 1, 40, 0},
    {"60F6SUB12", "torque_ctrl_para.dac_offset0", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 1970, 0},
    {"60F6SUB13", "torque_ctrl_para.dac_offset1", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 2100, 0},
    {"60F9", "vel_control_para", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 7},
    {"60F9SUB1", "vel_control_para.vc_kp", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 50, 0},
    {"60F9SUB2", "vel_control_para.vc_ki", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 500, 0},
    {"60F9SUB3", "vel_control_para.vc_ilim", OD_OBJECT_VAR, OD_TYPE_INTEGER16, OD_ACCESS_RWW, 1, 1000, 0},
    {"60F9SUB4", "vel_control_para.vc_error_filter_length", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RWW, 1, 2, 0},
    {"60F9SUB5", "vel_control_para.vc_output_filter_length", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RWW, 1, 2, 0},
    {"60F9SUB6", "vel_control_para.control", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RO, 1, 10368, 0},
    {"60FA", "control_efford", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, 0, 0},
    {"60FB", "pos_control_para", OD_OBJECT_RECORD, 0, OD_ACCESS_RO, 0, 0, 14},
    {"60FBSUB1", "pos_control_para.pc_kp", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RWW, 1, 1000, 0},
    {"60FBSUB2", "pos_control_para.pc_amax", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"60FBSUB3", "pos_control_para.pc_vfff", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RWW, 1, 0, 0},
    {"60FBSUB4", "pos_control_para.pc_afff", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RWW, 1, 0, 0},
    {"60FBSUB5", "pos_control_para.pc_cffo", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RWW, 1, 0, 0},
    {"60FBSUB6", "pos_control_para.pc_cfff", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RWW, 1, 0, 0},
    {"60FBSUB7", "pos_control_para.pc_cffl", OD_OBJECT_VAR, OD_TYPE_UNSIGNED16, OD_ACCESS_RWW, 1, 0, 0},
    {"60FBSUB8", "pos_control_para.following_error", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, 0, 0},
    {"60FBSUB9", "pos_control_para.profile_velocity_value", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, 0, 0},
    {"60FBSUBA", "pos_control_para.long_spion1", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 159, 0},
    {"60FBSUBB", "pos_control_para.long_spion2", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"60FBSUBC", "pos_control_para.long_spion3", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"60FBSUBD", "pos_control_para.long_spion4", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"60FC", "pos_demand_value_inc", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RO, 1, -1, 0},
    {"60FD", "digital_inputs", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RO, 1, 33554440, 0},
    {"60FE", "digital_outputs", OD_OBJECT_ARRAY, OD_TYPE_UNSIGNED32, OD_ACCESS_RO, 0, 0, 3},
    {"60FESUB1", "digital_outputs.physical_value", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 0, 0},
    {"60FESUB2", "digital_outputs.bitmask", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RWW, 1, 196608, 0},
    {"60FF", "target_velocity", OD_OBJECT_VAR, OD_TYPE_INTEGER32, OD_ACCESS_RWW, 1, 0, 0},
    {"6502", "supp_drive_modes", OD_OBJECT_VAR, OD_TYPE_UNSIGNED32, OD_ACCESS_RO, 1, 37, 0},
};

const BuiltinEntry kCanOpenIOEntries[] = {
    {"6000", "tx_pdo1_maping_list", OD_OBJECT_ARRAY, -1, -1, 0, 0, 2},
    {"6000SUB1", "uIO_inPut", OD_OBJECT_VAR, OD_TYPE_UNSIGNED8, OD_ACCESS_RO, 1, 0, 0},
    {"6200", "rx_pdo1_maping", OD_OBJECT_ARRAY, -1, -1, 0, 0, 2},
    {"6200SUB0", "uIO_outPut", OD_OBJECT_VAR, OD_TYPE_UNSIGNED8, OD_ACCESS_RWW, 1, 0, 0},
};

const char kSubMarker[] = "SUB";

CCanOpenODEntry* CreateEntry(const BuiltinEntry& row)
{
    CCanOpenODEntry* entry = new CCanOpenODEntry;
    const std::string key = row.key;
    entry->pdoMappable = row.pdoMappable;
    entry->access = row.access;
    entry->dataType = row.dataType;
    entry->defaultValue = row.defaultValue;
    entry->index = static_cast<int>(std::strtol(key.substr(0, 4).c_str(), nullptr, 16));
    entry->subNumber = row.subNumber;
    entry->objectType = row.objectType;
    const size_t sub = key.find(kSubMarker);
    entry->subIndex = sub == std::string::npos
        ? -1
        : static_cast<int>(std::strtol(key.substr(sub + 3).c_str(), nullptr, 16));
    entry->name = row.name;
    entry->sectionKey = key;
    return entry;
}

template <size_t N>
std::unique_ptr<CCanOpenSlaveType> CreateBuiltin(const char* name, int typeCode, const char* category,
                                                 const BuiltinEntry (&rows)[N])
{
    auto type = std::make_unique<CCanOpenSlaveType>();
    type->name = name;
    type->typeCode = typeCode;
    StringCRC16(type->name, type->typeId);
    type->category = category;
    for (const BuiltinEntry& row : rows)
        type->objects.push_back(CreateEntry(row));
    return type;
}

} // namespace

CCanOpenSlaveType::~CCanOpenSlaveType()
{
    for (CCanOpenODEntry* entry : objects)
        delete entry;
}

const CCanOpenODEntry* CCanOpenSlaveType::FindEntry(int index, int subIndex) const
{
    for (const CCanOpenODEntry* entry : objects) {
        if (entry->index == index && entry->subIndex == subIndex)
            return entry;
    }
    return nullptr;
}

const CCanOpenODEntry* CCanOpenSlaveType::FindEntryByName(const std::string& entryName) const
{
    for (const CCanOpenODEntry* entry : objects) {
        if (entry->name == entryName)
            return entry;
    }
    return nullptr;
}

std::unique_ptr<CCanOpenSlaveType> CCanOpenSlaveType::CreateBuiltinDrive()
{
    return CreateBuiltin("MX Servo", 402, "CANOPENDRIVE", kMxServoEntries);
}

std::unique_ptr<CCanOpenSlaveType> CCanOpenSlaveType::CreateBuiltinIO()
{
    return CreateBuiltin("CANOPEN_IO", 401, "CANOPENIO", kCanOpenIOEntries);
}
