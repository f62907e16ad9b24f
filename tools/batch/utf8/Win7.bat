:: Win7.bat：Windows 7 至 Windows 11 后台服务精简脚本
:: 把家用电脑用不到的后台服务设为禁用或手动，不改动网络、声音、登录和 Windows 更新相关的服务。
:: 有些服务只在较新的 Windows 上才有，本机没有时 sc 会报告服务未安装，不必理会。
:: 需要管理员权限：请用 Quellbrook 的“优化”按钮运行，或右键选择“以管理员身份运行”。
:: 运行前建议先点“快速备份当前服务”，以后以管理员身份运行 restore.bat 即可还原。改动在重启电脑后生效。
@echo off
setlocal
:: 按 ver 显示的版本号确认系统，以免在别的 Windows 上误运行
for /f "delims=" %%v in ('ver') do set "OSVER=%%v"
if not "%OSVER: 6.1.=%"=="%OSVER%" goto apply
if not "%OSVER: 6.2.=%"=="%OSVER%" goto apply
if not "%OSVER: 6.3.=%"=="%OSVER%" goto apply
if not "%OSVER: 10.0.=%"=="%OSVER%" goto apply
echo 当前系统不是 Windows 7 至 Windows 11，本脚本只适用于这些系统。
set "ANSWER="
set /p "ANSWER=仍要继续请输入 Y 后回车，直接回车则取消："
if /i not "%ANSWER%"=="Y" goto :eof

:apply
echo 正在设置 Windows 7 至 Windows 11 的后台服务……
echo.

:: ==== Windows 7 起都有的服务 ====
:: 远程注册表：让网络上的其他电脑修改本机注册表
sc config RemoteRegistry start= disabled
:: 传真
sc config Fax start= disabled
:: Windows Media Player 网络共享服务：把媒体库共享到局域网
sc config WMPNetworkSvc start= disabled
:: 脱机文件：同步公司网络上的共享文件夹
sc config CscService start= disabled
:: 分布式链接跟踪客户端：跟踪局域网里移动过的 NTFS 文件链接
sc config TrkWks start= disabled
:: SNMP 陷阱：接收网络管理软件的消息
sc config SNMPTRAP start= disabled
:: WebClient：通过 WebDAV 访问网络文件夹，家用很少用到
sc config WebClient start= disabled

:: ==== Windows 10 和 11 的服务 ====
:: 用户体验和遥测：向微软发送使用数据
sc config DiagTrack start= disabled
:: WAP 推送消息路由服务：配合遥测和设备管理
sc config dmwappushservice start= disabled
:: 零售演示服务：商店展示机用
sc config RetailDemo start= disabled
:: 下载的地图管理器：离线地图用，改为需要时才启动
sc config MapsBroker start= demand
:: AllJoyn 路由服务：智能家居设备互联
sc config AJRouter start= disabled

:: 以下服务有意保留：
:: Windows Search：Windows 10 和 11 的开始菜单和设置里的搜索靠它；
:: 触摸键盘和手写面板服务：Windows 10 和 11 上关闭后，输入法在开始菜单等处可能无法输入中文；
:: 电话服务 TapiSrv：宽带拨号 PPPoE 要用到它；
:: Xbox 相关服务：玩游戏要用，本来就是需要时才启动；
:: 智能卡 SCardSvr：网上银行的 U盾和不少公司的登录钥匙要用到它；
:: Windows 错误报告服务 WerSvc：程序崩溃的报告用来查找和修补错误，其中也有安全漏洞；
:: Microsoft iSCSI 发起程序 MSiSCSI：本来就是需要时才启动，禁用它没有好处。

echo.
echo Windows 后台服务设置完毕，重启电脑后生效。
echo 若上面有“拒绝访问”的提示，请右键选择“以管理员身份运行”重新运行本脚本。
