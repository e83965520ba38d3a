<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Localizable</name>
    <message>
        <source>错误码</source>
        <translation>Error code </translation>
    </message>
    <message>
        <source>请重启设备，如果错误还存在，请联系厂家</source>
        <translation>Restart the printer. If the error persists, contact the manufacturer</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>设备忙,打印中</source>
        <translation>The printer is busy printing</translation>
    </message>
    <message>
        <source>当前wifi模式不支持</source>
        <translation>Not supported in the current Wi-Fi mode</translation>
    </message>
    <message>
        <source>数据解析错误</source>
        <translation>The printer's reply could not be read</translation>
    </message>
    <message>
        <source>设置成功</source>
        <translation>Settings saved</translation>
    </message>
    <message>
        <source>已成功设置热点信息</source>
        <translation>The printer has taken the Wi-Fi settings</translation>
    </message>
    <message>
        <source>打印中，无法设置</source>
        <translation>The printer is printing and cannot change its settings now</translation>
    </message>
    <message>
        <source>设置的参数有误</source>
        <translation>The printer refused the settings</translation>
    </message>
    <message>
        <source>wifi模式不支持</source>
        <translation>Not supported in this Wi-Fi mode</translation>
    </message>
    <message>
        <source>AP设置返回数据解析错误</source>
        <translation>The printer's reply to the access point settings could not be read</translation>
    </message>
    <message>
        <source>获取客户端模式数据出错</source>
        <translation>The client mode settings could not be read</translation>
    </message>
    <message>
        <source>数据解析出错，请重试</source>
        <translation>The printer's reply could not be read. Please try again</translation>
    </message>
    <message>
        <source>正在连接</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>没有连接的设备</source>
        <translation>No printer connected</translation>
    </message>
    <message>
        <source>请刷新打印机列表或检查设备连接状态</source>
        <translation>Refresh the printer list or check the printer's connection</translation>
    </message>
    <message>
        <source>连接断开</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>请检查设备的连接情况</source>
        <translation>Check the printer's USB connection</translation>
    </message>
    <message>
        <source>连接断开，请查看设备的网络连接情况</source>
        <translation>Disconnected. Check the printer's network connection</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>正在打印</source>
        <translation>Printing</translation>
    </message>
    <message>
        <source>任务取消</source>
        <translation>Job cancelled</translation>
    </message>
    <message>
        <source>内存出错</source>
        <translation>Memory error</translation>
    </message>
    <message>
        <source>请清除内存</source>
        <translation>Clear the printer's memory</translation>
    </message>
    <message>
        <source>锁定失败</source>
        <translation>Lock failed</translation>
    </message>
    <message>
        <source>打印机锁定失败，请重启打印机</source>
        <translation>The printer could not lock. Restart the printer</translation>
    </message>
    <message>
        <source>热机中</source>
        <translation>Warming up</translation>
    </message>
    <message>
        <source>正在取消任务</source>
        <translation>Cancelling the job</translation>
    </message>
    <message>
        <source>未安装硒鼓</source>
        <translation>No drum unit</translation>
    </message>
    <message>
        <source>请正确安装硒鼓</source>
        <translation>Install the drum unit correctly</translation>
    </message>
    <message>
        <source>墨粉不足</source>
        <translation>Toner empty</translation>
    </message>
    <message>
        <source>请安装更换新粉盒</source>
        <translation>Replace the toner cartridge</translation>
    </message>
    <message>
        <source>粉盒不匹配</source>
        <translation>Wrong toner cartridge</translation>
    </message>
    <message>
        <source>请安装正确型号的粉盒</source>
        <translation>Install a toner cartridge made for this printer</translation>
    </message>
    <message>
        <source>休眠</source>
        <translation>Sleeping</translation>
    </message>
    <message>
        <source>无粉盒</source>
        <translation>No toner cartridge</translation>
    </message>
    <message>
        <source>请安装粉盒</source>
        <translation>Install a toner cartridge</translation>
    </message>
    <message>
        <source>未检测到纸盒</source>
        <translation>No paper cassette</translation>
    </message>
    <message>
        <source>未检测到纸盒，请检查纸盒</source>
        <translation>No paper cassette found. Check the paper cassette</translation>
    </message>
    <message>
        <source>纸量较少</source>
        <translation>Paper low</translation>
    </message>
    <message>
        <source>请添加纸张</source>
        <translation>Load paper</translation>
    </message>
    <message>
        <source>无感光鼓</source>
        <translation>No drum</translation>
    </message>
    <message>
        <source>请安装感光鼓</source>
        <translation>Install the drum</translation>
    </message>
    <message>
        <source>感光鼓不匹配</source>
        <translation>Wrong drum</translation>
    </message>
    <message>
        <source>请安装正确型号感光鼓</source>
        <translation>Install a drum made for this printer</translation>
    </message>
    <message>
        <source>感光鼓已耗尽</source>
        <translation>Drum worn out</translation>
    </message>
    <message>
        <source>请安装更换新感光鼓</source>
        <translation>Replace the drum</translation>
    </message>
    <message>
        <source>感光鼓寿命低</source>
        <translation>Drum nearly worn out</translation>
    </message>
    <message>
        <source>请关注感光鼓状态</source>
        <translation>Keep an eye on the drum</translation>
    </message>
    <message>
        <source>前盖打开</source>
        <translation>Front cover open</translation>
    </message>
    <message>
        <source>请关闭前盖</source>
        <translation>Close the front cover</translation>
    </message>
    <message>
        <source>后盖打开</source>
        <translation>Rear cover open</translation>
    </message>
    <message>
        <source>请关闭后盖</source>
        <translation>Close the rear cover</translation>
    </message>
    <message>
        <source>取纸卡纸</source>
        <translation>Paper jam at pick-up</translation>
    </message>
    <message>
        <source>请打开前盖，取出卡纸</source>
        <translation>Open the front cover and remove the jammed paper</translation>
    </message>
    <message>
        <source>进纸卡纸</source>
        <translation>Paper jam at feed</translation>
    </message>
    <message>
        <source>内部卡纸</source>
        <translation>Paper jam inside</translation>
    </message>
    <message>
        <source>出纸卡纸</source>
        <translation>Paper jam at exit</translation>
    </message>
    <message>
        <source>请打开后盖，取出卡纸</source>
        <translation>Open the rear cover and remove the jammed paper</translation>
    </message>
    <message>
        <source>反向卡纸</source>
        <translation>Paper jam in reverse feed</translation>
    </message>
    <message>
        <source>反向托盘卡纸</source>
        <translation>Paper jam in the reverse tray</translation>
    </message>
    <message>
        <source>墨粉已不多</source>
        <translation>Toner low</translation>
    </message>
    <message>
        <source>请关注粉盒状态</source>
        <translation>Keep an eye on the toner cartridge</translation>
    </message>
    <message>
        <source>存储器溢出</source>
        <translation>Memory full</translation>
    </message>
    <message>
        <source>请按取消键，取消当前任务</source>
        <translation>Press Cancel to cancel the current job</translation>
    </message>
    <message>
        <source>反面卡纸</source>
        <translation>Paper jam on the back side</translation>
    </message>
    <message>
        <source>数据格式错误</source>
        <translation>Data format error</translation>
    </message>
    <message>
        <source>纸张尺寸不匹配</source>
        <translation>Paper size mismatch</translation>
    </message>
    <message>
        <source>请更换正确的纸型</source>
        <translation>Load paper of the right size</translation>
    </message>
    <message>
        <source>数据解码错误</source>
        <translation>Data decoding error</translation>
    </message>
    <message>
        <source>数据接收超时</source>
        <translation>Data receive timed out</translation>
    </message>
    <message>
        <source>机芯前部有纸-取纸</source>
        <translation>Paper at the front of the engine (pick-up)</translation>
    </message>
    <message>
        <source>机芯内部有纸</source>
        <translation>Paper inside the engine</translation>
    </message>
    <message>
        <source>请打开前盖取出卡纸</source>
        <translation>Open the front cover and remove the jammed paper</translation>
    </message>
    <message>
        <source>机芯后部有纸</source>
        <translation>Paper at the back of the engine</translation>
    </message>
    <message>
        <source>请打开后盖取出卡纸</source>
        <translation>Open the rear cover and remove the jammed paper</translation>
    </message>
    <message>
        <source>预热出错</source>
        <translation>Warm-up error</translation>
    </message>
    <message>
        <source>设备过热</source>
        <translation>Printer overheated</translation>
    </message>
    <message>
        <source>设备过热，打印会出现停顿</source>
        <translation>The printer is overheated; printing will pause</translation>
    </message>
    <message>
        <source>机芯托盘有纸</source>
        <translation>Paper in the engine tray</translation>
    </message>
    <message>
        <source>机芯前部有纸-送纸</source>
        <translation>Paper at the front of the engine (feed)</translation>
    </message>
    <message>
        <source>纸盘送纸失败</source>
        <translation>Tray feed failed</translation>
    </message>
    <message>
        <source>请检查纸盘</source>
        <translation>Check the paper tray</translation>
    </message>
    <message>
        <source>无纸</source>
        <translation>Out of paper</translation>
    </message>
    <message>
        <source>纸盘无纸</source>
        <translation>Tray empty</translation>
    </message>
    <message>
        <source>请添加纸张到纸盘</source>
        <translation>Load paper into the tray</translation>
    </message>
    <message>
        <source>纸盒无纸</source>
        <translation>Cassette empty</translation>
    </message>
    <message>
        <source>请添加纸张到纸盒</source>
        <translation>Load paper into the cassette</translation>
    </message>
    <message>
        <source>纸盒搓纸失败</source>
        <translation>Cassette pick-up failed</translation>
    </message>
    <message>
        <source>请检查纸盒</source>
        <translation>Check the paper cassette</translation>
    </message>
    <message>
        <source>扫描仪正位失败</source>
        <translation>Scanner homing failed</translation>
    </message>
    <message>
        <source>请手动正位扫描仪</source>
        <translation>Return the scanner to its home position by hand</translation>
    </message>
    <message>
        <source>上盖打开</source>
        <translation>Scanner lid open</translation>
    </message>
    <message>
        <source>请合上扫描仪上盖</source>
        <translation>Close the scanner lid</translation>
    </message>
    <message>
        <source>引稿失败</source>
        <translation>Document feed failed</translation>
    </message>
    <message>
        <source>请检查文稿</source>
        <translation>Check the originals</translation>
    </message>
    <message>
        <source>纸型与机器纸张设置不匹配</source>
        <translation>Paper does not match the printer's paper setting</translation>
    </message>
    <message>
        <source>纸型与机器纸张设置不匹配,按 OK 键继续打印</source>
        <translation>Paper does not match the printer's paper setting. Press OK to go on printing</translation>
    </message>
    <message>
        <source>纸盒无纸,按 OK 键继续打印</source>
        <translation>Cassette empty. Press OK to go on printing</translation>
    </message>
    <message>
        <source>多功能纸盘无纸,按 OK 键继续打印</source>
        <translation>Multi-purpose tray empty. Press OK to go on printing</translation>
    </message>
    <message>
        <source>激光马达错误</source>
        <translation>Laser motor error</translation>
    </message>
    <message>
        <source>激光马达错误，请重启打印机</source>
        <translation>Laser motor error. Restart the printer</translation>
    </message>
    <message>
        <source>激光马达同步错误</source>
        <translation>Laser motor sync error</translation>
    </message>
    <message>
        <source>激光马达同步错误，请重启打印机</source>
        <translation>Laser motor sync error. Restart the printer</translation>
    </message>
    <message>
        <source>请输入打印机热点的名称</source>
        <translation>Name of the printer's hot spot</translation>
    </message>
    <message>
        <source>不加密</source>
        <translation>None</translation>
    </message>
    <message>
        <source>WAP2PSK_AES</source>
        <translation>WPA2-PSK (AES)</translation>
    </message>
    <message>
        <source>请输入打印机热点的密码</source>
        <translation>Password of the printer's hot spot</translation>
    </message>
    <message>
        <source>热点名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>加密方式</source>
        <translation>Security</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>IP格式错误</source>
        <translation>The IP address is not valid</translation>
    </message>
    <message>
        <source>子网掩码格式错误</source>
        <translation>The subnet mask is not valid</translation>
    </message>
    <message>
        <source>网关格式错误</source>
        <translation>The gateway is not valid</translation>
    </message>
    <message>
        <source>请输入密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>手动设置</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>请输入IP地址</source>
        <translation>IP address</translation>
    </message>
    <message>
        <source>请输入子网掩码</source>
        <translation>Subnet mask</translation>
    </message>
    <message>
        <source>请输入网关</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>可选择的热点</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>热点密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>IP获取方式</source>
        <translation>Addressing</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP address</translation>
    </message>
    <message>
        <source>子网掩码</source>
        <translation>Subnet mask</translation>
    </message>
    <message>
        <source>网关</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>statusMonitor</source>
        <translation>KTR6620LXV Status Monitor</translation>
    </message>
    <message>
        <source>apMode</source>
        <translation>Access point</translation>
    </message>
    <message>
        <source>clientMode</source>
        <translation>Client mode</translation>
    </message>
    <message>
        <source>printerList</source>
        <translation>Printers</translation>
    </message>
    <message>
        <source>refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>printerListFreshed</source>
        <translation>The printer list has been refreshed</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>connecting</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>networkSetting</source>
        <translation>Network settings</translation>
    </message>
    <message>
        <source>currentStatus</source>
        <translation>Current status</translation>
    </message>
    <message>
        <source>netPrinter</source>
        <translation>Network printer</translation>
    </message>
    <message>
        <source>usbPrinter</source>
        <translation>USB printer</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>noPrinterError</source>
        <translation>No printer was found. Check the printer's connection, then refresh the printer list</translation>
    </message>
    <message>
        <source>tonerInfo</source>
        <translation>Toner</translation>
    </message>
</context>
</TS>
