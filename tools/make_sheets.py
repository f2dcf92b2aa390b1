#!/usr/bin/env python3
"""Writes the settings sheets of the English overlay:
    tools/make_sheets.py data/overlays/TM5150QE/12-sheets.ovl WIDTH_LIST_FILE
The second file receives the "GI_CellWidthRegList" entry, which heads 30-sheets.ovl."""
import sys
out = []
def E(k, *lines):
    out.append('#' + k)
    out.extend(lines)

E('CellModel_SheetHdr', '^-WH(Color=clBtnFace)(Font=,,,,,fsBold,)')
E('CellModel_SheetSec', '<-WHB(Color=clBtnFace)(Font=,,,,,fsBold,)')
E('CellModel_SheetLbl', '<-WHB(Color=clBtnFace)')
E('CellModel_SheetVal', 'S<-WHBX')

sheets = []  # (entry, title, basic rows)

PAD = '\\_' * 14
def wide(text):
    # Value columns are as wide as their header; the padding leaves room for the values.
    return PAD + text + PAD

def simple(entry, title, rows, head=('Setting', 'Value'), cat='CT_Null'):
    cells = ['{($SheetHdr)}%s|{($SheetHdr)}%s' % (head[0], wide(head[1]))]
    for r in rows:
        if isinstance(r, str):
            cells.append('{($SheetSec)}%s|{($SheetSec)}' % r)
        else:
            cap, cid = r[0], r[1]
            cells.append('{($SheetLbl)}%s|{($SheetVal)(%%%s.%s)}' % (cap, r[2] if len(r) > 2 else cat, cid))
    sheets.append((entry, title, cells))

# ---- Set Mode: value, whether the user may change it, and the menu text ----
setm = [
    ('Key Beep', 'BeepOn', 'BeepOn', 'BeepOn'),
    ('Beep Level', 'BeepLev', 'BeepLev', 'BeepLev'),
    ('Squelch Level', 'SqlLev', 'SqlLev', 'SqlLev'),
    ('Lowest Volume', 'AFMinLev', 'AfMinLev', 'AFMinLev'),
    ('Backlight', 'Backlight', 'Backlight', 'Backlight'),
    ('LCD Contrast', 'LcdContrast', 'LcdContrast', 'LcdContrast'),
    ('Microphone Gain', 'MicGain', 'MicGain', 'MicGain'),
    ('Audio Filter', 'AudioFilt', 'AudioFilt', 'AudioFilt'),
    ('Horn Output', 'HornOut', 'HornOut', 'HornOut'),
    ('Battery Voltage Display', 'BATVDisp', 'BATVDisp', 'BATVDisp'),
    ('Bit Error Rate Display', 'BERDisp', 'BERDisp', None),
    ('VOX', 'VoxOnOff', 'VoxOnOff', None),
    ('VOX Gain', 'VoxGain', 'VoxGain', 'VoxGain'),
    ('VOX Delay', 'VoxDelay', 'VoxDelay', 'VoxDelay'),
    ('VOX Level During Reception', 'VoxAFLev', 'VoxAFLev', 'VoxAFLev'),
    ('Power Save', 'Psave', None, None),
    ('Signal Monitor', 'SigMoni', None, None),
    ('Code Display', 'CodeDisp', None, None),
    ('Lone Worker', 'LoneWorker', None, None),
    ('Ringer', 'Ringer', None, None),
    ('Second Ringer', 'Ringer2', None, None),
    ('Ringer Level', 'RingerLev', None, None),
    ('Ringer Time', 'RingerTimer', None, None),
]
cells = ['{($SheetHdr)}Setting|{($SheetHdr)}%s|{($SheetHdr)}User May Change|{($SheetHdr)}Menu Text' % wide('Value')]
for cap, v, u, t in setm:
    row = '{($SheetLbl)}%s|{($SheetVal)(%%CT_Null.CL_SetM_%s)}' % (cap, v)
    row += '|' + ('{($SheetVal)(%%CT_Null.CL_USetM_%s)}' % u if u else '{($SheetLbl)}')
    row += '|' + ('{($SheetVal)(%%CT_Null.CL_TSetM_%s)}' % t if t else '{($SheetLbl)}')
    cells.append(row)
cells.append('{($SheetSec)}Indication Texts|{($SheetSec)}|{($SheetSec)}|{($SheetSec)}')
for cap, i in [('Off', 'OFF'), ('On', 'ON'), ('Automatic', 'Auto'), ('Automatic 2', 'Auto2'), ('Analogue', 'Ana'),
               ('Digital', 'Dig'), ('Both', 'Both'), ('Code', 'Code'), ('Number', 'Number')]:
    cells.append('{($SheetLbl)}%s|{($SheetLbl)}|{($SheetLbl)}|{($SheetVal)(%%CT_Null.CL_TSetI_%s)}' % (cap, i))
sheets.append(('GI_Sheet_SetMode', 'Set Mode (the menu and indication texts are not kept in clone files or in the radio)', cells))

simple('GI_Sheet_Radio', 'Radio', [
    ('Clone Comment 1', 'CL_Comm_CloneComment1'), ('Clone Comment 2', 'CL_Comm_CloneComment2'),
    ('User Password', 'CL_Comm_UserPassword'), ('Dealer Passcode', 'CL_Comm_DealerPasscode'),
])

simple('GI_Sheet_Scan', 'Scan', [
    ('Scan Type', 'CL_ScanComm_ModeType_Sel'), ('Scan at Power On', 'CL_ScanComm_PwrOnScan'),
    ('Fast Scan Step', 'CL_ScanComm_ScanTimer_Fast'), ('Slow Scan Step', 'CL_ScanComm_ScanTimer_Slow'),
    ('Stop Time', 'CL_ScanComm_StopTimer'), ('Stop Time B', 'CL_ScanComm_StopTimerB'),
    ('Resume Time', 'CL_ScanComm_ResumeTimer'), ('Talk-Back Time', 'CL_ScanComm_TalkBackTimer'),
    ('Beep at End of Talk-Back', 'CL_ScanComm_TalkBackTimerBeep'), ('Monitor Key During Scan', 'CL_ScanComm_MonitorKeyAction'),
    ('Backlight When Scan Stops', 'CL_ScanComm_BacklitatStopScan'), ('Nuisance Channel Delete', 'CL_ScanComm_NuisanceDelete'),
    ('Scan by Channel Mode', 'CL_ScanComm_ModeDependentScan'), ('Automatic Channel Call (PMR)', 'CL_ScanComm_AutoChCall_PmrOnly'),
    'Scan List',
    ('List Type', 'CL_ScanList_ScanType', 'CT_Scan'), ('Scan Mode', 'CL_ScanList_ScanMode', 'CT_Scan'),
    ('Priority Channel 1', 'CL_ScanList_Prio1_CH', 'CT_Scan'), ('Priority Channel 2', 'CL_ScanList_Prio2_CH', 'CT_Scan'),
    ('Transmit Channel', 'CL_ScanList_TX_CH', 'CT_Scan'), ('Talk-Back on the Transmit Channel', 'CL_ScanList_TX_TalkBack', 'CT_Scan'),
    ('Transmit Action', 'CL_ScanList_TX_Action', 'CT_Scan'), ('Cancel Channel', 'CL_ScanList_Cancel_CH', 'CT_Scan'),
    ('Talk-Back on the Cancel Channel', 'CL_ScanList_Cancel_TalkBack', 'CT_Scan'),
    ('Display During Scan', 'CL_ScanList_DispText', 'CT_Scan'), ('Power Save During Scan', 'CL_ScanList_PwrSave', 'CT_Scan'),
], head=('Scan Setting', 'Value'))

simple('GI_Sheet_Common', 'Common Settings', [
    'Passwords and Comments',
    ('User Password', 'CL_Comm_UserPassword'), ('Dealer Passcode', 'CL_Comm_DealerPasscode'),
    ('Power-On Password', 'CL_Comm_PwrOnPassword'), ('Clone Password', 'CL_Comm_ClonePasswordStr'),
    ('Clone Comment 1', 'CL_Comm_CloneComment1'), ('Clone Comment 2', 'CL_Comm_CloneComment2'),
    ('Set Mode Access', 'CL_Comm_SetModeAccess'), ('Initial Set Mode Access', 'CL_Comm_IniSetModeAccess'),
    ('Key Change Mode Access', 'CL_Comm_KeyChgModeAccess'), ('All Clear Access', 'CL_Comm_AllClearAccess'),
    'Transmission',
    ('Time-Out Timer', 'CL_Comm_Tot'), ('Time-Out Time', 'CL_Comm_Tot_Timer'), ('Time-Out Beep', 'CL_Comm_Tot_Beep'),
    ('Time-Out Penalty Time', 'CL_Comm_Tot_PenaltyTimer'), ('Time-Out Reset', 'CL_Comm_Tot_Reset'),
    ('ID Sent at Time-Out', 'CL_Comm_Tot_ID_Out'), ('DTMF ID Sent at Time-Out', 'CL_Comm_Tot_Dtmf_ID_Out'),
    ('Busy Channel Lockout (Analogue)', 'CL_Comm_LockoutAna'), ('Busy Channel Lockout (Digital)', 'CL_Comm_LockoutDig'),
    ('Lockout Override', 'CL_Comm_LockoutOverride'), ('Lockout Penalty Time', 'CL_Comm_LockoutPenaltyTimer'),
    ('PTT Override', 'CL_Comm_PTTOver'), ('PTT Side Tone', 'CL_Comm_PTTSide'), ('PTT with Ringer', 'CL_Comm_PTTwithRinger'),
    ('Wide Band', 'CL_Comm_Wide'), ('Narrow Band', 'CL_Comm_FNarrow'), ('Band Change', 'CL_Comm_FNarrow_Change'),
    'Reception',
    ('Tight Squelch Offset', 'CL_Comm_Sql_Tight_Ofs'), ('CTCSS Channel Mute', 'CL_Comm_Ctcss_ChMuteCont'),
    ('CTCSS Reverse Burst', 'CL_Comm_Ctcss_ReverseBurst'), ('CTCSS Tone Burst', 'CL_Comm_Ctcss_ToneBurst'),
    ('CTCSS Audio Filter', 'CL_Comm_Ctcss_RxAfFilt'), ('All Call Select', 'CL_Comm_AllSelect'),
    ('Automatic Reset Time A', 'CL_Comm_AtResetTimer_A'), ('Automatic Reset Time B', 'CL_Comm_AtResetTimer_B'),
    ('Inactivity Time', 'CL_Comm_InactiveTimer'),
    ('Smart Ring Beep', 'CL_Comm_SmartRing_Beep'), ('Smart Ring Beep Time', 'CL_Comm_SmartRing_BeepTimer'),
    'Power',
    ('Power Save Time 1', 'CL_Comm_PwrSave_Timer1'), ('Power Save Time 2', 'CL_Comm_PwrSave_Timer2'),
    ('Low Battery Warning 1', 'CL_Comm_LowBatt1'), ('Low Battery Warning 1 Period', 'CL_Comm_LowBatt1_Periods'),
    ('Low Battery Warning 1 After Transmission', 'CL_Comm_LowBatt1_TX_End'),
    ('Low Battery Warning 2', 'CL_Comm_LowBatt2'), ('Low Battery Warning 2 Period', 'CL_Comm_LowBatt2_Periods'),
    ('Low Battery Warning 2 After Transmission', 'CL_Comm_LowBatt2_TX_End'),
    'Scrambler',
    ('Scrambler Type', 'CL_Comm_Scrm_Type'), ('Scrambler Group Code', 'CL_Comm_Scrm_GroupCode'),
    ('Scrambler Sync Capture', 'CL_Comm_Scrm_SyncCapture'), ('Scrambler Start Timing', 'CL_Comm_Scrm_TStartTiming'),
    'Stun and Revive',
    ('Stun', 'CL_Comm_Strv_Stun_Type'), ('Stun Beep', 'CL_Comm_Strv_Beep_ON'), ('Stun Text Shown', 'CL_Comm_Strv_Text_ON'),
    ('Display Off When Stunned', 'CL_Comm_Strv_LCD_OFF'), ('Display Off Time', 'CL_Comm_Strv_LCD_OFF_Timer'),
    ('Power Switch Inhibited When Stunned', 'CL_Comm_Strv_PSW_Inhibit'), ('Decode All', 'CL_Comm_Strv_DecAll'),
    ('Revive All', 'CL_Comm_Strv_RevAll'), ('Data Output When Stunned', 'CL_Comm_Strv_TRDataOut'),
    'Data Port',
    ('RS-232C Mode', 'CL_Comm_RS232C_Mode'), ('RS-232C Speed', 'CL_Comm_RS232C_SPPED'),
    ('Digital RS-232C Speed', 'CL_Comm_Dig_Rs232c_Speed'), ('Data Output', 'CL_Comm_TRDataOut'),
    'MSK and MDC',
    ('MSK and MDC Own ID', 'CL_Comm_Msk_Mdc_SelfID'), ('MSK Coast Time', 'CL_Comm_Msk_CoastTimer'),
    ('MSK DOS Time', 'CL_Comm_Msk_DosTimer'),
    'Options',
    ('Battery Type', 'CL_Exp_BattType'), ('Battery Type Change', 'CL_Exp_BattTypeChange'),
    ('High Beep Frequency', 'CL_Exp_BeepFreq_High'), ('Low Beep Frequency', 'CL_Exp_BeepFreq_Low'),
    ('Clock Shift', 'CL_Exp_ClShift'), ('Dimmer with Ignition', 'CL_Exp_DimIgsw'),
    ('DTCS Inverted on Reception', 'CL_Exp_DtcsInv_Rx'), ('DTCS Inverted on Transmission', 'CL_Exp_DtcsInv_Tx'),
    ('External PTT Delay', 'CL_Exp_ExPttDelay'), ('Ignition Sense', 'CL_Exp_Ignition'), ('Ignition Time', 'CL_Exp_IgnitionTimer'),
    ('Power Save Start Time 1', 'CL_Exp_PSaveStartTimer_1'), ('Power Save Start Time 2', 'CL_Exp_PSaveStartTimer_2'),
    ('PTT Switch', 'CL_Exp_PttSw'), ('Receive Audio Filter', 'CL_Exp_RxAf_Filter'),
    ('External Speaker Delay', 'CL_Exp_RxExo_Delay'), ('External Speaker', 'CL_Exp_RxExo_On'),
    ('External PTT or Foot Switch', 'CL_Exp_Select_ExPttFtsw'), ('Tone Mute with External PTT', 'CL_Exp_ToneMuteExPtt'),
    ('User CTCSS Tone', 'CL_Exp_UserCtcss'),
])

simple('GI_Sheet_KeyDisp', 'Keys and Display (the scroll time is not kept in clone files or in the radio)', [
    'Keys',
    ('Power Switch', 'CL_KDisp_PwrSW'), ('Keypad', 'CL_KDisp_Tenkey_Select'), ('Rotary Knob', 'CL_KDisp_RotarySel'),
    ('Smart Key', 'CL_KDisp_SmaKey'), ('Microphone Keys', 'CL_KDisp_MicFunc'), ('External Emergency Key', 'CL_KDisp_ExtEmr'),
    ('RF Power Selection', 'CL_KDisp_RfPoSel'), ('Memory Recall Code', 'CL_KDisp_MrCode'),
    'Off-Hook and Priority',
    ('Monitor When Off-Hook', 'CL_KDisp_HangAct_Moni'), ('Priority A When Off-Hook', 'CL_KDisp_HangAct_PrioA'),
    ('Scan When Off-Hook', 'CL_KDisp_HangAct_Scan'), ('Scan Suspended When Off-Hook', 'CL_KDisp_HangAct_ScanSuspend'),
    ('Priority A at Power On', 'CL_KDisp_PrioA_SwOn'), ('Priority A Clear Down', 'CL_KDisp_PrioA_ClearDown'),
    'Display',
    ('Opening Text', 'CL_KDisp_OpeningText'), ('Opening Beep', 'CL_KDisp_OpeningBeep'), ('Scroll Time', 'CL_KDisp_ScrollTimer'),
    ('LED Pattern 1', 'CL_KDisp_LED_LP0'), ('LED Pattern 2', 'CL_KDisp_LED_LP1'), ('LED Pattern 3', 'CL_KDisp_LED_LP2'),
    'Key Assignments',
    ('Option Key', 'CL_KDisp_Key_Conv_Opf1'), ('Right Key, Lower', 'CL_KDisp_Key_Conv_RightDn'),
    ('Left Key, Upper', 'CL_KDisp_Key_Conv_LeftUp'), ('Left Key, Lower', 'CL_KDisp_Key_Conv_LeftDn'),
    ('Key P0', 'CL_KDisp_Key_Conv_P0'), ('Key P1', 'CL_KDisp_Key_Conv_P1'), ('Key P2', 'CL_KDisp_Key_Conv_P2'),
    ('Key P3', 'CL_KDisp_Key_Conv_P3'),
    'Microphone Keys (the same functions as keys P0 to P3)',
    ('Microphone Up', 'CL_KDisp_Key_Conv_MicUp'), ('Microphone Down', 'CL_KDisp_Key_Conv_MicDn'),
    ('Microphone A', 'CL_KDisp_Key_Conv_MicA'), ('Microphone B', 'CL_KDisp_Key_Conv_MicB'),
])

simple('GI_Sheet_Emergency', 'Emergency and Lone Worker', [
    'Emergency',
    ('Emergency Input', 'CL_Comm_EmerIn'), ('Silent Emergency', 'CL_Emer_Setting_Silent'),
    ('Maximum Alert Level', 'CL_Emer_Setting_MaxAlert'), ('Microphone Gain', 'CL_Emer_Setting_MicGain'),
    ('Repeat Cycle', 'CL_Emer_Setting_RptCycle'), ('Squelch', 'CL_Emer_Setting_Sql'),
    ('Emergency Code', 'CL_Emer_Signal_Code'), ('Emergency Code Sent', 'CL_Emer_Signal_CodeEna'),
    ('Long Emergency Code', 'CL_Emer_Signal_CodeLong'),
    ('Start Time', 'CL_Emer_Timer_Start'), ('Automatic Transmission Time', 'CL_Emer_Timer_AutoTx'),
    ('Automatic Reception Time', 'CL_Emer_Timer_AutoRx'), ('Idle Time', 'CL_Emer_Timer_Idle'),
    ('Transmit Tone Time', 'CL_Emer_Timer_TxTone'), ('Receive Tone Time', 'CL_Emer_Timer_RxTone'),
    ('Emergency Text', 'CL_Exp_Emer_Text'), ('Repeat at Start', 'CL_Exp_Emer_StartRepeat'),
    ('Switch-On Time', 'CL_Exp_Emer_SwOnTimer'), ('Switch-Off Time', 'CL_Exp_Emer_SwOffTimer'),
    'Emergency Timing',
    ('Start', 'CL_Comm_EmerTim_Start'), ('On Time', 'CL_Comm_EmerTim_On'), ('Off Time', 'CL_Comm_EmerTim_Off'),
    ('Repeat Cycle', 'CL_Comm_EmerTim_ReCycle'), ('Siren', 'CL_Comm_EmerTim_Sairen'),
    'Man Down',
    ('Man Down', 'CL_Comm_ManDown_ON'), ('Man Down Time', 'CL_Comm_ManDown_Timer'),
    ('Stage 1 Time', 'CL_Comm_ManDown_TS1'), ('Stage 2 Time', 'CL_Comm_ManDown_TS2'), ('Stage 3 Time', 'CL_Comm_ManDown_TS3'),
    ('Repeat Cycle', 'CL_Comm_ManDown_ReCycle'), ('Siren', 'CL_Comm_ManDown_Sairen'),
    'Lone Worker',
    ('Time-Out', 'CL_Emer_LoneWorker_Timeout'), ('Pre-Alarm', 'CL_Emer_LoneWorker_PreAlarm'),
    ('Repeat Alarm', 'CL_Emer_LoneWorker_RepeatAlarm'), ('PTT Delay', 'CL_Emer_LoneWorker_Pttdelay'),
])

simple('GI_Sheet_Dig_ProgMes', 'Digital Messages (not kept in clone files or in the radio)', [
    ('Standby', 'CL_Dig_ProgMes_Standby'), ('Calling', 'CL_Dig_ProgMes_Calling'), ('Connected', 'CL_Dig_ProgMes_Connect'),
    ('Busy', 'CL_Dig_ProgMes_Busy'), ('Wait', 'CL_Dig_ProgMes_Wait'), ('No Answer', 'CL_Dig_ProgMes_NoAns'),
    ('Complete', 'CL_Dig_ProgMes_Complete'), ('Failed', 'CL_Dig_ProgMes_Failed'), ('Cancelled', 'CL_Dig_ProgMes_Cancelled'),
    ('Break-In', 'CL_Dig_ProgMes_Break'), ('Locked', 'CL_Dig_ProgMes_Lock'), ('Low Battery', 'CL_Dig_ProgMes_LowBatt'),
    ('High Voltage', 'CL_Dig_ProgMes_HiVolt'),
], head=('Message', 'Text'))

simple('GI_Sheet_Dig_Tim', 'Digital Timers (not kept in clone files or in the radio)', [
    ('Transmit Wait', 'CL_Dig_Tim_TxWait'), ('Channel Check', 'CL_Dig_Tim_Chk'), ('Free Channel', 'CL_Dig_Tim_Free'),
    ('Acknowledge', 'CL_Dig_Tim_Tac'), ('Break-In', 'CL_Dig_Tim_Breakin'), ('Wake-Up', 'CL_Dig_Tim_Wakeup'),
    ('ND Count', 'CL_Dig_Tim_ND'), ('NR Count', 'CL_Dig_Tim_NR'), ('Level L0 (dBm)', 'CL_Dig_Tim_L0Level'),
])

simple('GI_Sheet_Msk', 'MSK', [
    'Presets',
    ('Own ID', 'CL_Msk_Presl_Own_Id'), ('Common ID', 'CL_Msk_Presl_Common'), ('Country Code', 'CL_Msk_Presl_Country'),
    ('Sync Word', 'CL_Msk_Presl_Sync'), ('Call Letter', 'CL_Msk_Presl_Call_Let'), ('PTT Side Tone', 'CL_Msk_Presl_Ptt_Side'),
    'Encoding',
    ('Pre-Emphasis', 'CL_Msk_Cfg_Enc_PreEmphasis'), ('PTT Call', 'CL_Msk_Cfg_Enc_PttCall'),
    ('PTT Side Tone', 'CL_Msk_Cfg_Enc_PttSideTone'), ('Sync Word', 'CL_Msk_Cfg_Enc_SyncvWord'),
    ('PTT Enabled When Connected', 'CL_Msk_Cfg_Etc_PttEnableAtConnect'),
    'Decoding',
    ('Caller ID Display', 'CL_Msk_Cfg_Dec_ANI_Disp'), ('Caller ID Display Time', 'CL_Msk_Cfg_Dec_ANI_Disp_Timer'),
    ('Beep Repeat Time', 'CL_Msk_Cfg_Dec_BeepRepeatTimer'), ('Duration', 'CL_Msk_Cfg_Dec_DurationTimer'),
    ('Mute MSK Tone', 'CL_Msk_Cfg_Dec_MuteMskTone'),
    'Status Sending',
    ('At Power On', 'CL_Msk_Cfg_Status_Send_On'), ('At Power Off', 'CL_Msk_Cfg_Status_Send_Off'),
    ('From the Base', 'CL_Msk_Cfg_Status_Send_Base'), ('With Dimmer', 'CL_Msk_Cfg_Status_Send_Dim'),
    ('With Priority A', 'CL_Msk_Cfg_Status_Send_PrioA'),
    'GPS',
    ('GPS', 'CL_Msk_Cfg_Gps_Enable'), ('Automatic Sending', 'CL_Msk_Cfg_Gps_Auto'), ('Interval', 'CL_Msk_Cfg_Gps_IntervalTimer'),
    ('Sentence', 'CL_Msk_Cfg_Gps_Sentence'), ('Time Marker', 'CL_Msk_Cfg_Gps_TimeMarker'),
    ('Send with Acknowledge', 'CL_Msk_Cfg_Gps_Send_Ack'), ('Send from the Base', 'CL_Msk_Cfg_Gps_Send_Base'),
    ('Send with Call', 'CL_Msk_Cfg_Gps_Send_Call'), ('Send with Emergency', 'CL_Msk_Cfg_Gps_Send_Emer'),
    ('Send at Log-Off', 'CL_Msk_Cfg_Gps_Send_Logoff'), ('Send with Man Down', 'CL_Msk_Cfg_Gps_Send_ManDown'),
    ('Send with Short Message', 'CL_Msk_Cfg_Gps_Send_Sdm'), ('Send with Status', 'CL_Msk_Cfg_Gps_Send_Status'),
    'Timing',
    ('Busy Check', 'CL_Msk_TimingErr_BusyCheck'), ('K', 'CL_Msk_TimingErr_K'), ('Acknowledge Letter', 'CL_Msk_TimingErr_LetAck'),
    ('Call Letter', 'CL_Msk_TimingErr_LetCall'), ('N1', 'CL_Msk_TimingErr_N1'), ('N2', 'CL_Msk_TimingErr_N2'),
    ('NA', 'CL_Msk_TimingErr_NA'), ('ND', 'CL_Msk_TimingErr_ND'), ('NM', 'CL_Msk_TimingErr_NM'), ('NR', 'CL_Msk_TimingErr_NR'),
    ('T3', 'CL_Msk_TimingErr_T3'), ('TAC', 'CL_Msk_TimingErr_TAC'), ('TC', 'CL_Msk_TimingErr_TC'), ('TF', 'CL_Msk_TimingErr_TF'),
    ('TI', 'CL_Msk_TimingErr_TI'), ('TOF', 'CL_Msk_TimingErr_TOF'), ('TOI', 'CL_Msk_TimingErr_TOI'), ('TRV', 'CL_Msk_TimingErr_TRV'),
    ('TS1', 'CL_Msk_TimingErr_TS1'), ('TS2', 'CL_Msk_TimingErr_TS2'), ('TS3', 'CL_Msk_TimingErr_TS3'), ('TT', 'CL_Msk_TimingErr_TT'),
    ('TV', 'CL_Msk_TimingErr_TV'), ('TWF', 'CL_Msk_TimingErr_TWF'), ('TWI', 'CL_Msk_TimingErr_TWI'), ('dTT', 'CL_Msk_TimingErr_dTT'),
])

# MDC: one column per MDC system.
mdc = [('MDC', 'Mdc_On'), ('Own ID', 'Self_Id'), ('Group ID', 'Group_Id'), ('Initial Transmit Delay', 'Initial_Tx_Delay'),
       ('Transmit Sync Retries', 'Tx_Sync_Retry'), ('Receive Sync Threshold', 'Rx_Sync_Threshold'),
       ('Coast Time', 'Coast_Time'), ('DOS Time', 'DOS_Time'), ('Automatic Reset', 'Auto_Reset'),
       ('Keypad Time-Out', '10key_Timeout'), ('Menu Time-Out', 'Menu_Timeout'), ('Mute Type', 'Mute_Type'),
       ('Mute MSK', 'Mute_MSK'), ('Tones Required', 'Tones_Req'), ('Call Log', 'Log_Enabled'), ('Call Log Action', 'Log_Action_Type')]
cells = ['{($SheetHdr)}Setting' + ''.join('|{($SheetHdr)(%%CT_Null.CL_Mdc_General_Text[%d])}' % i for i in range(5))]
for cap, cid in mdc:
    cells.append('{($SheetLbl)}%s' % cap + ''.join('|{($SheetVal)(%%CT_Null.CL_Mdc_General_%s[%d])}' % (cid, i) for i in range(5)))
sheets.append(('GI_Sheet_Mdc', 'MDC (not kept in clone files or in the radio)', cells))

def table(entry, title, head, rows, pad=6):
    """A sheet of rows: head names the columns (the first is the row label); each row is a
    label and a list of cells, a cell being (category, identifier, index) or None."""
    pad = '\\_' * pad
    cells = ['|'.join('{($SheetHdr)}%s' % (pad + h + pad if k else h) for k, h in enumerate(head))]
    for label, row in rows:
        if row is None:
            cells.append('|'.join(['{($SheetSec)}%s' % label] + ['{($SheetSec)}'] * (len(head) - 1)))
            continue
        parts = ['{($SheetLbl)}%s' % label]
        for c in row:
            parts.append('{($SheetVal)(%%%s.%s[%d])}' % c if c else '{($SheetLbl)}')
        parts += ['{($SheetLbl)}'] * (len(head) - len(parts))
        cells.append('|'.join(parts))
    sheets.append((entry, title, cells))

# 2-tone receive codes 1 to 10 and transmit codes 1 to 32.
rx = [('1st Tone (Hz)', 'CL_2T_RxFreq_1st'), ('2nd Tone (Hz)', 'CL_2T_RxFreq_2nd'), ('Code Type', 'CL_2T_Code_Type'),
      ('Group Call', 'CL_2T_GroupCall'), ('Automatic Transmission', 'CL_2T_AutoTx'), ('Bell', 'CL_2T_Bell'),
      ('LED', 'CL_2T_LED'), ('Answer Back', 'CL_2T_ANS'), ('External Speaker', 'CL_2T_EXO'), ('Beep', 'CL_2T_Beep'),
      ('Stun', 'CL_2T_Stun'), ('Scan', 'CL_2T_Scan'), ('Special Function', 'CL_2T_Sfunc')]
rows = [('Code %d' % i, [('CT_2Tone_Code', cid, i) for _, cid in rx]) for i in range(1, 11)]
rows.append(('Common', None))
for cap, cid in [('No-Tone Time (s)', 'CL_2T_NotoneTimer'), ('Group Call Time', 'CL_2T_GroupTimer'),
                 ('External Speaker Time', 'CL_2T_ExoTimer'), ('Beep Repeat Time', 'CL_2T_BeepRepeatTimer'),
                 ('Automatic Transmission Time', 'CL_2T_AutoTxTimer'), ('Tone Comparison', 'CL_2T_CompareTone')]:
    rows.append((cap, [('CT_Null', cid, 0)]))
table('GI_Sheet_2Tone', '2-Tone Receive Codes', ['Code'] + [h for h, _ in rx], rows)
table('GI_Sheet_2ToneTx', '2-Tone Transmit Codes', ['Code', '1st Tone (Hz)', '2nd Tone (Hz)'],
      [('Code %d' % (i + 1), [('CT_TX_Code', 'CL_2TTx_Freq_1st', i), ('CT_TX_Code', 'CL_2TTx_Freq_2nd', i)])
       for i in range(32)])

# User tones 1 to 16: the 16th has a tone period only; tones 10 to 15 have no timing entries.
ut = ['CL_UTone_Encode', 'CL_UTone_Dec_Low', 'CL_UTone_Dec_High', 'CL_UTone_TonePeriod', 'CL_UTone_NotoneTimer',
      'CL_UTone_Length']
table('GI_Sheet_UTone', 'User Tones',
      ['Tone', 'Frequency (Hz)', 'Decode Low (Hz)', 'Decode High (Hz)', 'Tone Period (s)', 'No-Tone Time (s)',
       'Length (s)'],
      [('Tone %d' % (i + 1), [('CT_UserTone', cid, i) for cid in ut]) for i in range(16)])

# External ports and the port modes that take them.
ports = [('Port 1', 'InOut_1'), ('Port 2', 'InOut_2'), ('Port 3', 'InOut_3'), ('Port 4', 'InOut_4'),
         ('Port 5 (Input)', 'In_1'), ('Port 6 (Output)', 'Out_1')]
rows = [(cap, [('CT_Null', 'CL_ExtPort_' + p, 0), ('CT_Null', 'CL_ExtPort_%s_Dir' % p, 0),
               ('CT_Null', 'CL_ExtPort_%s_Logic' % p, 0)]) for cap, p in ports]
rows.append(('Port Modes', None))
for cap, m in [('External PTT', 'EPTT'), ('Serial Interface', 'SCI'), ('Audio Output', 'AFO'),
               ('Ignition Switch', 'IGSW'), ('Horn Alert', 'HORN')]:
    rows.append((cap, [('CT_Null', 'CL_ExtPort_PortMode_' + m, 0)]))
table('GI_Sheet_ExtPort', 'External Ports (the port functions, directions and logic are not kept in clone files or in the radio)',
      ['Port', 'Function', 'Direction', 'Logic'], rows)

# MSK addresses: the boundary between individual and group addresses, and the addresses
# tested against it.
rows = [('Individual Addresses', [('CT_MSK_AdrRange', 'CL_Msk_AdrRange_Individual', 0),
                                  ('CT_MSK_AdrRange', 'CL_Msk_AdrRange_Individual', 1)]),
        ('Group Addresses', [('CT_MSK_AdrRange', 'CL_Msk_AdrRange_Group', 0),
                             ('CT_MSK_AdrRange', 'CL_Msk_AdrRange_Group', 1)]),
        ('Killer Address', [('CT_MSK_AdrRange', 'CL_Msk_AdrRange_Killer', 0)]),
        ('Status Base ID', [('CT_MSK_Cfg', 'CL_Msk_Cfg_Status_FixBaseId', 0)]),
        ('GPS Base ID', [('CT_MSK_Cfg', 'CL_Msk_Cfg_Gps_FixBaseId', 0)]),
        ('ID Groups: Address, Alert, Bell, Special Function', None)]
rows += [('Own ID Group' if i == 0 else 'ID Group %d' % i,
          [('CT_MSK_IdGroup', c, i) for c in ('CL_Msk_IdGroup_Adr', 'CL_Msk_IdGroup_Alert', 'CL_Msk_IdGroup_Bell',
                                               'CL_Msk_IdGroup_SFunc')]) for i in range(8)]
rows.append(('Call List: Address, Digits, Update, Selectable', None))
rows += [('Call %d' % (i + 1),
          [('CT_MSK_CallList', c, i) for c in ('CL_Msk_CallList_Adr', 'CL_Msk_CallList_Digit', 'CL_Msk_CallList_Update',
                                                'CL_Msk_CallList_Sel')]) for i in range(32)]
table('GI_Sheet_MskAdr', 'MSK Addresses (not kept in clone files or in the radio)', ['Entry', 'Address', 'Range End', 'Setting', 'Setting'], rows, pad=10)

for entry, title, cells in sheets:
    title = title.replace(' (', ' - ').replace(')', '')
    E(entry + '_Style', '(TitleString=%s)(FixedCols=1)(FixedRows=1)(ColSizing)' % title)
    E(entry + '_BasicCell', '{($Basic)(PopupMenu=GI_PMenu_Help)}')
    E(entry + '_Cells', *cells)
open(sys.argv[1], 'w').write('\n'.join(out) + '\n')
if len(sys.argv) > 2:
    open(sys.argv[2], 'w').write('\n'.join(['#GI_CellWidthRegList'] + ['%s:%s' % (e, e[len('GI_Sheet_'):]) for e, _, _ in sheets]) + '\n')
