#!/usr/bin/env python3
"""Writes the memory channel sheets of the English overlay, their choice lists, popup menus
and messages:
    tools/make_channel_sheets.py data/overlays/TM5150QE/16-channels.ovl"""
import sys

out = []


def E(k, *lines):
    out.append('#' + k)
    out.extend(lines)


def choice_list(name, items, ident='Flex0'):
    """A drop-down list: items are (value, text)."""
    E(name + '_Style', '(FixedCols=0)(FixedRows=0)')
    E(name + '_BasicCell', '{($Basic)SWH}')
    E(name + '_Cells', *['{(%%%s[%d])}%s' % (ident, v, t) for v, t in items])


def numbers(lo, hi):
    return [(v, str(v)) for v in range(lo, hi + 1)]


# ---- choice lists of the channel cells ----
choice_list('GI_Sheet_Sel_Mch_ChInh', [(0, 'Usable'), (1, 'Inhibited')])
choice_list('GI_Sheet_Sel_Mch_CH_TxInh', [(0, 'Allowed'), (1, 'Inhibited')])
choice_list('GI_Sheet_Sel_Mch_Nar', [(0, 'Wide'), (1, 'Narrow')])
choice_list('GI_Sheet_Sel_Mch_RfPwr', [(0, 'High'), (1, 'Medium'), (2, 'Low'), (3, 'Lowest')])
choice_list('GI_Sheet_Sel_Mch_Lockout_Lmr', [(0, 'Off'), (1, 'Carrier'), (2, 'Tone')])
choice_list('GI_Sheet_Sel_Mch_Lockout_Pmr', [(0, 'Off'), (1, 'Carrier'), (2, 'Code')])
choice_list('GI_Sheet_Sel_Mch_ScanInc', [(0, 'Off'), (1, 'On')])
choice_list('GI_Sheet_Sel_Mch_Scan_List', [(v, 'List %d' % (v + 1)) for v in range(8)])
choice_list('GI_Sheet_Sel_Mch_Scan_ListSel', [(0, 'Fixed'), (1, 'Selectable')])
choice_list('GI_Sheet_Sel_Mch_AutoReset_Lmr', [(0, 'Off'), (1, 'On')])
choice_list('GI_Sheet_Sel_Mch_AutoReset_Pmr',
            [(0, 'Off'), (1, 'Timer A'), (2, 'Timer B'), (3, 'Timers A and B')])
choice_list('GI_Sheet_Sel_Mch_2Tone', [(0, 'Off')] + [(v, 'Code %d' % v) for v in range(1, 11)])
choice_list('GI_Sheet_Sel_Mch_Log_Lmr',
            [(0, 'Off'), (1, 'At Start'), (2, 'At End'), (3, 'At Start and End')])
choice_list('GI_Sheet_Sel_Mch_Log_Pmr',
            [(0, 'Off'), (1, 'At Start'), (2, 'At End'), (3, 'At Start and End')])
choice_list('GI_Sheet_Sel_Mch_SigType_Lmr',
            [(0, 'None'), (1, 'DTMF'), (2, 'MDC'), (3, 'MDC and DTMF')])
choice_list('GI_Sheet_Sel_Mch_SigType_Pmr',
            [(0, 'None'), (1, 'MSK'), (2, 'MDC'), (3, 'MDC and MSK')])
choice_list('GI_Sheet_Sel_Mch_SigType_Emg_Lmr',
            [(0, 'None'), (1, 'DTMF'), (2, 'MDC'), (3, 'MDC and DTMF')])
choice_list('GI_Sheet_Sel_Mch_SigType_Emg_Pmr',
            [(0, 'None'), (1, 'MSK'), (2, 'MDC'), (3, 'MDC and MSK')])
choice_list('GI_Sheet_Sel_Mch_SigType_Dec_Lmr', [(0, 'Off'), (2, 'MDC')])
choice_list('GI_Sheet_Sel_Mch_SigType_Dec_Pmr', [(0, 'Off'), (2, 'MDC')])
choice_list('GI_Sheet_Sel_Mch_Mdc_System_List',
            [(0, 'Off')] + [(v, 'System %d' % v) for v in range(1, 6)])
choice_list('GI_Sheet_Sel_Mch_ScramOn',
            [(0, 'Off'), (1, 'Code Scrambler'), (2, 'Rolling Scrambler'), (3, 'External')])
choice_list('GI_Sheet_Sel_Mch_Dig_Signal',
            [(0, 'Analogue'), (1, 'Digital'), (2, 'Analogue and Digital'), (3, 'PMR446 Digital')])
# Lists with marked items: the choices that conflict with a channel's MSK signalling.
choice_list('GI_Sheet_Sel_Mch_ChMute', [(0, 'Carrier'), (1, 'Tone or Code')], 'FlexMark')
choice_list('GI_Sheet_Sel_Mch_Moni',
            [(0, 'Off'), (1, 'Squelch Open'), (2, 'Tone Off'), (3, 'Squelch Open and Tone Off'),
             (4, 'Code Off'), (5, 'Squelch Open and Code Off'), (6, 'MSK Monitor'),
             (7, 'MSK Monitor and Squelch Open')], 'FlexMark')
choice_list('GI_Sheet_Sel_Mch_Sel',
            [(0, 'Off'), (1, 'MSK'), (2, '5-Tone'), (3, '2-Tone')], 'FlexMark')
choice_list('GI_Sheet_Sel_Mch_Call', [(0, 'Off'), (1, 'On')], 'FlexMark')
choice_list('GI_Sheet_Sel_Mch_Ptt', [(0, 'Off'), (1, 'PTT ID')], 'FlexMark')
choice_list('GI_Sheet_Sel_Mch_SendStatus', [(0, 'Off'), (1, 'On')], 'FlexMark')
choice_list('GI_Sheet_Sel_Mch_Msk_Signal_Pmr', [(0, 'Off'), (1, 'MSK')])
choice_list('GI_Sheet_Sel_Mch_Form', [(v, 'Format %d' % (v + 1)) for v in range(8)])
choice_list('GI_Sheet_Sel_Mch_LTone', [(0, 'Short'), (1, 'Long')])
choice_list('GI_Sheet_Sel_Mch_Pos', [(v, 'Position %d' % (v + 1)) for v in range(4)])
choice_list('GI_Sheet_Sel_Mch_Msk_Rpt_1st_Pmr', [(0, 'Off'), (255, 'Repeater'), (1, 'Code...')])
choice_list('GI_Sheet_Sel_Mch_Msk_Rpt_2nd', numbers(1, 127), 'Flex1')
choice_list('GI_Sheet_Sel_Mch_Msk_ID', numbers(0, 127))
# Attribute letters: A priority 1, B priority 2, E special channel.
atr = [(1, 'A: Priority Channel 1'), (2, 'B: Priority Channel 2'), (3, 'E: Special Channel'),
       (4, 'Special Channel Off')]
choice_list('GI_Sheet_Sel_Mch_Atr', atr + [(5, 'SmarTrunk Bank')])
choice_list('GI_Sheet_Sel_Mch_Atr_ExSmt', atr)
choice_list('GI_Sheet_Sel_Bank_SelBankFree', [(0, 'One Bank'), (1, 'Banks')])

# ---- the channel list of a bank, built from the image: one row per channel ----
E('GI_Sheet_Sel_ScanCHSel_Style', '(FixedCols=0)(FixedRows=0)')
E('GI_Sheet_Sel_ScanCHSel_BasicCell', '{($Basic)SWH}')
E('GI_Sheet_Sel_ScanCHSel_Cells', ':(LoopFrom)',
  '{(%FlexCHSel[@ch0])}' + '\\_' * 6, ':(LoopTo)')

# ---- popup menus ----
E('GI_PMenu_Mch_BasicCell', '{(%CT_PopupMenu.)}')
E('GI_PMenu_Mch_Body',
  '+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}',
  '+Copy\t{(%CT_PopupMenu.CL_PMenu_Copy)}',
  '+Paste\t{(%CT_PopupMenu.CL_PMenu_Paste)}',
  '+Insert a Channel\t{(%CT_PopupMenu.CL_PMenu_Insert)}',
  '+Delete\t{(%CT_PopupMenu.CL_PMenu_Delete)}',
  '+Clear\t{(%CT_PopupMenu.CL_PMenu_Clear)}',
  '+Move Up\t{(%CT_PopupMenu.CL_PMenu_CarryUp)}',
  '+Move Down\t{(%CT_PopupMenu.CL_PMenu_CarryDown)}',
  '+Help\t{(%CT_PopupMenu.CL_PMenu_Help)}',
  '#')
E('GI_PMenu_Bank_BasicCell', '{(%CT_PopupMenu.)}')
E('GI_PMenu_Bank_Body',
  '+Move Bank Up\t{(%CT_PopupMenu.CL_PMenu_CarryUp)}',
  '+Move Bank Down\t{(%CT_PopupMenu.CL_PMenu_CarryDown)}',
  '+Help\t{(%CT_PopupMenu.CL_PMenu_Help)}',
  '#')

E('GI_PMenu_MdcAlias_BasicCell', '{(%CT_PopupMenu.)}')
E('GI_PMenu_MdcAlias_Body',
  '+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}',
  '+Copy\t{(%CT_PopupMenu.CL_PMenu_Copy)}',
  '+Paste\t{(%CT_PopupMenu.CL_PMenu_Paste)}',
  '+Insert an Alias\t{(%CT_PopupMenu.CL_PMenu_Insert)}',
  '+Delete\t{(%CT_PopupMenu.CL_PMenu_Delete)}',
  '+Clear\t{(%CT_PopupMenu.CL_PMenu_Clear)}',
  '+Move Up\t{(%CT_PopupMenu.CL_PMenu_CarryUp)}',
  '+Move Down\t{(%CT_PopupMenu.CL_PMenu_CarryDown)}',
  '+Help\t{(%CT_PopupMenu.CL_PMenu_Help)}',
  '#')

# ---- messages ----
E('GI_AppMess_ChErr_NotBlank',
  'Only the unused channels at the end of the bank can be removed.',
  'The bank keeps its channels that are in use or that are a priority or special channel.')
E('GI_AppMess_ChErr_NoCh',
  'The bank does not have that many channels.',
  'Only its unused channels at the end were removed.')

# ---- the channel sheets, one per model type ----
PAD = '\\_' * 3


def head(text):
    return '{($SheetHdr)}' + PAD + text + PAD


LMR = [
    ('Attributes', 'Atr'), ('Receive MHz', 'FreqR'), ('Transmit MHz', 'FreqT'),
    ('Receive Tone', 'CTone_R'), ('Transmit Tone', 'CTone_T'), ('Bandwidth', 'Nar'),
    ('Power', 'RfPo'), ('Transmit', 'TxInh'), ('Channel', 'Inh'), ('Scan', 'Scan_OnOff'),
    ('Busy Lockout', 'Lockout'), ('Tight Squelch', 'Sql_Tight'), ('Compander', 'Compander'),
    ('Power Save', 'PwrSave'), ('Time-Out Timer', 'Tot'), ('Automatic Reset', 'AutoReset'),
    ('2-Tone', '2Tone'), ('Receive Codes', 'RxCNo2'), ('Log Signalling', 'SigType_Log_Lmr'),
    ('Emergency Signalling', 'SigType_Emg_Lmr'), ('Decode', 'SigType_Dec_Lmr'),
    ('MDC System', 'Mdc_System'), ('Scrambler', 'Scrm_On'), ('Scrambler Code', 'Scrm_Code'),
    ('Scan List', 'Scan_List'), ('Scan List Choice', 'Scan_ListSel'),
    ('Automatic Channel Scan', 'AutoChScan'), ('Log', 'Log'),
]

PMR_SIG = [
    ('Monitor', 'Moni_Pmr'), ('Selective Call', 'Sel_Pmr'), ('Call', 'Call_Pmr'),
    ('PTT ID', 'PTT_Pmr'),
]
PMR_CODES = [
    ('Format', 'Form_Pmr'), ('Position', 'Pos_Pmr'), ('Repeater Code', 'Rpt_C_Pmr'),
    ('Repeater Tone', 'Rpt_L_Pmr'), ('Station Code', 'Stn_C_Pmr'), ('Station Tone', 'Stn_L_Pmr'),
    ('ID Code', 'Id_C_Pmr'), ('ID Tone', 'Id_L_Pmr'), ('Receive Codes', 'RxCNo_Pmr'),
]

# Model type 1 uses the "_Pmr" identifiers wherever one exists.
PMR = [
    ('Attributes', 'Atr_Pmr'), ('Receive MHz', 'FreqR_Pmr'), ('Transmit MHz', 'FreqT_Pmr'),
    ('Receive Tone', 'CTone_R_Pmr'), ('Transmit Tone', 'CTone_T_Pmr'), ('Bandwidth', 'Nar_Pmr'),
    ('Power', 'RfPo_Pmr'), ('Transmit', 'TxInh_Pmr'), ('Channel', 'Inh_Pmr'),
    ('Scan', 'Scan_OnOff_Pmr'), ('Busy Lockout', 'Lockout_Pmr'),
    ('Tight Squelch', 'Sql_Tight_Pmr'), ('Power Save', 'PwrSave_Pmr'),
    ('Time-Out Timer', 'Tot_Pmr'), ('Automatic Reset', 'AutoResetPmr'),
    ('Channel Mute', 'CH_Mute_Pmr'),
] + PMR_SIG + PMR_CODES + [
    ('Log Signalling', 'SigType_Log_Pmr'), ('Emergency Signalling', 'SigType_Emg_Pmr'),
    ('Decode', 'SigType_Dec_Pmr'), ('MDC System', 'Mdc_System_Pmr'),
    ('Scrambler', 'Scrm_On_Pmr'), ('Scrambler Code', 'Scrm_Code_Pmr'),
    ('Scan List', 'Scan_List_Pmr'), ('Scan List Choice', 'Scan_ListSel_Pmr'),
    ('Automatic Channel Scan', 'AutoChScan_Pmr'), ('Log', 'Log_Pmr'),
]

# Model type 2: the plain identifiers where they exist (the blank-row and tone rules name the
# "_Pmr" forms for model type 1 only), the "_Pmr" forms for the fields without a plain one.
PMRD = [
    ('Attributes', 'Atr'), ('Receive MHz', 'FreqR'), ('Transmit MHz', 'FreqT'),
    ('Receive Tone', 'CTone_R'), ('Transmit Tone', 'CTone_T'), ('Bandwidth', 'Nar'),
    ('Power', 'RfPo'), ('Transmit', 'TxInh'), ('Channel', 'Inh'), ('Scan', 'Scan_OnOff'),
    ('Busy Lockout', 'Lockout'), ('Tight Squelch', 'Sql_Tight'), ('Power Save', 'PwrSave'),
    ('Time-Out Timer', 'Tot'), ('Automatic Reset', 'AutoReset'), ('Channel Mute', 'CH_Mute'),
] + PMR_SIG + [
    ('MSK', 'Msk_Sig'), ('MSK Send Status', 'Msk_SendStatus'), ('MSK Repeater', 'Msk_Rpt'),
    ('MSK Station', 'Msk_Stn'), ('MSK Receive Codes', 'Msk_RxCNo'),
] + PMR_CODES + [
    ('Log Signalling', 'SigType_Log_Pmr'), ('Emergency Signalling', 'SigType_Emg_Pmr'),
    ('Decode', 'SigType_Dec_Pmr'), ('MDC System', 'Mdc_System'), ('Scrambler', 'Scrm_On'),
    ('Scrambler Code', 'Scrm_Code'), ('Scan List', 'Scan_List'),
    ('Scan List Choice', 'Scan_ListSel'), ('Automatic Channel Scan', 'AutoChScan'),
    ('Log', 'Log'),
]

DPMR446 = LMR[:5] + [('Signal', 'Dig_Sig')] + [c for c in LMR[5:] if c[1] not in (
    'Compander', 'SigType_Log_Lmr', 'SigType_Emg_Lmr', 'SigType_Dec_Lmr')] + [
    ('Log Signalling', 'SigType_Log_Pmr'), ('Emergency Signalling', 'SigType_Emg_Pmr'),
    ('Decode', 'SigType_Dec_Pmr')]

for name, number, cols in (('Lmr', 'No', LMR), ('Pmr', 'No_Pmr', PMR), ('PmrD', 'No', PMRD),
                           ('DPmr446', 'No', DPMR446)):
    entry = 'GI_Sheet_Mch_' + name
    E(entry + '_Style',
      '(TitleString=Memory Channels)(FixedCols=1)(FixedRows=1)(MultiSelect=Line)(ColSizing)')
    E(entry + '_BasicCell', '{($Basic)(PopupMenu=GI_PMenu_Mch)}')
    header = '{($SheetHdr)}No.|' + '|'.join(head(t) for t, _ in cols)
    body = '{($SheetHdr)(%%CT_Mch_Check.CL_Mch_%s[@ch0])}|' % number + '|'.join(
        '{($SheetVal)(%%CT_Mch.CL_Mch_%s[@ch0])}' % i for _, i in cols)
    E(entry + '_Cells', header, ':(LoopFrom)', body, ':(LoopTo)')

# ---- the bank sheet: bank mode, counters and the size of every bank ----
E('GI_Sheet_Memory_CH_Top_Style',
  '(TitleString=Memory Channels and Banks)(FixedCols=1)(FixedRows=1)(MultiSelect=Line)(ColSizing)')
E('GI_Sheet_Memory_CH_Top_BasicCell', '{($Basic)(PopupMenu=GI_PMenu_Help)}')
E('GI_Sheet_Memory_CH_Top_Cells',
  '{($SheetHdr)}Setting|' + head('Value') + '|{($SheetHdr)}|{($SheetHdr)}',
  '{($SheetLbl)}Bank Mode|{($SheetVal)(%CT_Null.CL_Bank_SelBankFree)}',
  '{($SheetLbl)}Channels in All Banks|{($SheetVal)(%CT_Null.CL_Mch_Bank_Total)}',
  '{($SheetLbl)}Channels That Can Be Added|{($SheetVal)(%CT_Null.CL_Mch_Bank_Left)}',
  '{($SheetLbl)}Channels in Use|{($SheetVal)(%CT_Null.CL_Mch_UsedCHs_Total)}',
  '{($SheetLbl)}Free Channels|{($SheetVal)(%CT_Null.CL_Mch_UsedCHs_Left)}',
  '{($SheetSec)(@ch0=0)}Bank|{($SheetSec)}Channels|{($SheetSec)}In Use|{($SheetSec)}SmarTrunk',
  ':(LoopFrom 8)',
  '{($SheetLbl)(%CT_BankOp.CL_Misc_ChNo_1Base[@ch0])}|'
  '{($SheetVal)(%CT_BankOp.CL_Mch_Bank[@ch0])(PopupMenu=GI_PMenu_Bank)}|'
  '{($SheetLbl)(%CT_BankOp.CL_Mch_UsedCHs[@ch0])(PopupMenu=GI_PMenu_Bank)}|'
  '{($SheetVal)(%CT_BankOp.CL_Mch_SmarTrunk[@ch0])(PopupMenu=GI_PMenu_Bank)}',
  ':(LoopTo)')

# ---- the MDC alias list: one row per alias and a new row below them (at most 5) ----
# The parameter "M" in the tree's reference makes it the list that follows the alias count.
E('GI_Sheet_MDC_AliasM_Style',
  '(TitleString=MDC Aliases - not kept in clone files or in the radio)'
  '(FixedCols=1)(FixedRows=1)(MultiSelect=Line)(ColSizing)')
E('GI_Sheet_MDC_AliasM_BasicCell', '{($Basic)(PopupMenu=GI_PMenu_MdcAlias)}')
ALIAS = [('ID', 'ID'), ('Alias', 'Text'), ('Strip Tones', 'Strip'), ('Beep', 'Beep_Type')]
# The alias shows in segment characters, which need more room than letters.
WIDE = '\\_' * 9
E('GI_Sheet_MDC_AliasM_Cells',
  '{($SheetHdr)}No.|' + '|'.join(
      '{($SheetHdr)}' + WIDE + t + WIDE if i == 'Text' else head(t) for t, i in ALIAS),
  ':(LoopFrom)',
  '{($SheetHdr)(%CT_MDC_Alias.FlexMdcAlias_ChNo[@ch0])}|' + '|'.join(
      '{($SheetVal)(%%CT_MDC_Alias.CL_Mdc_Alias1_%s[@ch0])}' % i for _, i in ALIAS),
  ':(LoopTo)')

with open(sys.argv[1], 'w', newline='\n') as f:
    f.write('\n'.join(out) + '\n')
