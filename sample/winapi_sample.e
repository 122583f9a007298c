.版本 2

.DLL命令 GetTickCount, 整数型, "kernel32.dll", "GetTickCount", 公开, 取系统启动以来经过的毫秒数

.DLL命令 Sleep, , "kernel32.dll", "Sleep", 公开, 暂停当前线程
    .参数 dwMilliseconds, 整数型, , 毫秒数

.DLL命令 GetModuleHandleA, 整数型, "kernel32.dll", "GetModuleHandleA", 公开, 取已载入模块的句柄
    .参数 lpModuleName, 文本型, , 模块名，空为本程序

.DLL命令 LoadLibraryA, 整数型, "kernel32.dll", "LoadLibraryA", 公开, 载入动态链接库
    .参数 lpLibFileName, 文本型, , 库文件名

.DLL命令 FreeLibrary, 逻辑型, "kernel32.dll", "FreeLibrary", 公开, 释放动态链接库
    .参数 hLibModule, 整数型, , 模块句柄

.DLL命令 GetProcAddress, 整数型, "kernel32.dll", "GetProcAddress", 公开, 取库中命令的地址
    .参数 hModule, 整数型, , 模块句柄
    .参数 lpProcName, 文本型, , 命令名

.DLL命令 CloseHandle, 逻辑型, "kernel32.dll", "CloseHandle", 公开, 关闭内核对象句柄
    .参数 hObject, 整数型, , 对象句柄

.DLL命令 GetLastError, 整数型, "kernel32.dll", "GetLastError", 公开, 取调用线程最近的错误代码

.DLL命令 SetLastError, , "kernel32.dll", "SetLastError", 公开, 置调用线程的错误代码
    .参数 dwErrCode, 整数型, , 错误代码

.DLL命令 GetCurrentProcessId, 整数型, "kernel32.dll", "GetCurrentProcessId", 公开, 取当前进程标识符

.DLL命令 GetCurrentThreadId, 整数型, "kernel32.dll", "GetCurrentThreadId", 公开, 取当前线程标识符

.DLL命令 GetCurrentProcess, 整数型, "kernel32.dll", "GetCurrentProcess", 公开, 取当前进程的伪句柄

.DLL命令 OpenProcess, 整数型, "kernel32.dll", "OpenProcess", 公开, 打开一个已有进程
    .参数 dwDesiredAccess, 整数型, , 访问权限
    .参数 bInheritHandle, 逻辑型, , 可否继承
    .参数 dwProcessId, 整数型, , 进程标识符

.DLL命令 TerminateProcess, 逻辑型, "kernel32.dll", "TerminateProcess", 公开, 结束进程
    .参数 hProcess, 整数型, , 进程句柄
    .参数 uExitCode, 整数型, , 退出代码

.DLL命令 ExitProcess, , "kernel32.dll", "ExitProcess", 公开, 结束本进程
    .参数 uExitCode, 整数型, , 退出代码

.DLL命令 WinExec, 整数型, "kernel32.dll", "WinExec", 公开, 运行程序
    .参数 lpCmdLine, 文本型, , 命令行
    .参数 uCmdShow, 整数型, , 显示方式

.DLL命令 CreateFileA, 整数型, "kernel32.dll", "CreateFileA", 公开, 创建或打开文件
    .参数 lpFileName, 文本型, , 文件名
    .参数 dwDesiredAccess, 整数型, , 访问方式
    .参数 dwShareMode, 整数型, , 共享方式
    .参数 lpSecurityAttributes, 整数型, , 安全属性
    .参数 dwCreationDisposition, 整数型, , 创建方式
    .参数 dwFlagsAndAttributes, 整数型, , 文件属性
    .参数 hTemplateFile, 整数型, , 模板文件句柄

.DLL命令 ReadFile, 逻辑型, "kernel32.dll", "ReadFile", 公开, 从文件读数据
    .参数 hFile, 整数型, , 文件句柄
    .参数 lpBuffer, 字节型, 传址, 缓冲区
    .参数 nNumberOfBytesToRead, 整数型, , 要读的字节数
    .参数 lpNumberOfBytesRead, 整数型, 传址, 实际读到的字节数
    .参数 lpOverlapped, 整数型, , 重叠结构

.DLL命令 WriteFile, 逻辑型, "kernel32.dll", "WriteFile", 公开, 向文件写数据
    .参数 hFile, 整数型, , 文件句柄
    .参数 lpBuffer, 字节型, 传址, 数据
    .参数 nNumberOfBytesToWrite, 整数型, , 要写的字节数
    .参数 lpNumberOfBytesWritten, 整数型, 传址, 实际写出的字节数
    .参数 lpOverlapped, 整数型, , 重叠结构

.DLL命令 GetFileSize, 整数型, "kernel32.dll", "GetFileSize", 公开, 取文件长度
    .参数 hFile, 整数型, , 文件句柄
    .参数 lpFileSizeHigh, 整数型, 传址, 长度的高32位

.DLL命令 SetFilePointer, 整数型, "kernel32.dll", "SetFilePointer", 公开, 移动文件读写位置
    .参数 hFile, 整数型, , 文件句柄
    .参数 lDistanceToMove, 整数型, , 移动距离
    .参数 lpDistanceToMoveHigh, 整数型, 传址, 距离的高32位
    .参数 dwMoveMethod, 整数型, , 起点

.DLL命令 DeleteFileA, 逻辑型, "kernel32.dll", "DeleteFileA", 公开, 删除文件
    .参数 lpFileName, 文本型, , 文件名

.DLL命令 CopyFileA, 逻辑型, "kernel32.dll", "CopyFileA", 公开, 复制文件
    .参数 lpExistingFileName, 文本型, , 源文件
    .参数 lpNewFileName, 文本型, , 目标文件
    .参数 bFailIfExists, 逻辑型, , 目标存在时失败

.DLL命令 MoveFileA, 逻辑型, "kernel32.dll", "MoveFileA", 公开, 移动或改名文件
    .参数 lpExistingFileName, 文本型, , 源文件
    .参数 lpNewFileName, 文本型, , 新文件名

.DLL命令 CreateDirectoryA, 逻辑型, "kernel32.dll", "CreateDirectoryA", 公开, 创建目录
    .参数 lpPathName, 文本型, , 目录名
    .参数 lpSecurityAttributes, 整数型, , 安全属性

.DLL命令 RemoveDirectoryA, 逻辑型, "kernel32.dll", "RemoveDirectoryA", 公开, 删除空目录
    .参数 lpPathName, 文本型, , 目录名

.DLL命令 GetFileAttributesA, 整数型, "kernel32.dll", "GetFileAttributesA", 公开, 取文件属性
    .参数 lpFileName, 文本型, , 文件名

.DLL命令 SetFileAttributesA, 逻辑型, "kernel32.dll", "SetFileAttributesA", 公开, 置文件属性
    .参数 lpFileName, 文本型, , 文件名
    .参数 dwFileAttributes, 整数型, , 属性

.DLL命令 GetTempPathA, 整数型, "kernel32.dll", "GetTempPathA", 公开, 取临时文件目录
    .参数 nBufferLength, 整数型, , 缓冲区长度
    .参数 lpBuffer, 文本型, , 缓冲区

.DLL命令 GetWindowsDirectoryA, 整数型, "kernel32.dll", "GetWindowsDirectoryA", 公开, 取Windows目录
    .参数 lpBuffer, 文本型, , 缓冲区
    .参数 uSize, 整数型, , 缓冲区长度

.DLL命令 GetSystemDirectoryA, 整数型, "kernel32.dll", "GetSystemDirectoryA", 公开, 取系统目录
    .参数 lpBuffer, 文本型, , 缓冲区
    .参数 uSize, 整数型, , 缓冲区长度

.DLL命令 GetCurrentDirectoryA, 整数型, "kernel32.dll", "GetCurrentDirectoryA", 公开, 取当前目录
    .参数 nBufferLength, 整数型, , 缓冲区长度
    .参数 lpBuffer, 文本型, , 缓冲区

.DLL命令 SetCurrentDirectoryA, 逻辑型, "kernel32.dll", "SetCurrentDirectoryA", 公开, 置当前目录
    .参数 lpPathName, 文本型, , 目录名

.DLL命令 GetModuleFileNameA, 整数型, "kernel32.dll", "GetModuleFileNameA", 公开, 取模块的完整文件名
    .参数 hModule, 整数型, , 模块句柄
    .参数 lpFilename, 文本型, , 缓冲区
    .参数 nSize, 整数型, , 缓冲区长度

.DLL命令 GetPrivateProfileStringA, 整数型, "kernel32.dll", "GetPrivateProfileStringA", 公开, 读配置项文本
    .参数 lpAppName, 文本型, , 节名
    .参数 lpKeyName, 文本型, , 项名
    .参数 lpDefault, 文本型, , 默认文本
    .参数 lpReturnedString, 文本型, , 缓冲区
    .参数 nSize, 整数型, , 缓冲区长度
    .参数 lpFileName, 文本型, , 配置文件名

.DLL命令 WritePrivateProfileStringA, 逻辑型, "kernel32.dll", "WritePrivateProfileStringA", 公开, 写配置项文本
    .参数 lpAppName, 文本型, , 节名
    .参数 lpKeyName, 文本型, , 项名
    .参数 lpString, 文本型, , 文本
    .参数 lpFileName, 文本型, , 配置文件名

.DLL命令 GetSystemTime, , "kernel32.dll", "GetSystemTime", 公开, 取协调世界时
    .参数 lpSystemTime, SYSTEMTIME, 传址, 时间

.DLL命令 GetLocalTime, , "kernel32.dll", "GetLocalTime", 公开, 取本地时间
    .参数 lpSystemTime, SYSTEMTIME, 传址, 时间

.DLL命令 SetLocalTime, 逻辑型, "kernel32.dll", "SetLocalTime", 公开, 置本地时间
    .参数 lpSystemTime, SYSTEMTIME, 传址, 时间

.DLL命令 GetComputerNameA, 逻辑型, "kernel32.dll", "GetComputerNameA", 公开, 取计算机名
    .参数 lpBuffer, 文本型, , 缓冲区
    .参数 nSize, 整数型, 传址, 缓冲区长度

.DLL命令 GetVersionExA, 逻辑型, "kernel32.dll", "GetVersionExA", 公开, 取操作系统版本
    .参数 lpVersionInformation, OSVERSIONINFO, 传址, 版本信息

.DLL命令 GlobalAlloc, 整数型, "kernel32.dll", "GlobalAlloc", 公开, 分配全局内存
    .参数 uFlags, 整数型, , 分配方式
    .参数 dwBytes, 整数型, , 字节数

.DLL命令 GlobalFree, 整数型, "kernel32.dll", "GlobalFree", 公开, 释放全局内存
    .参数 hMem, 整数型, , 内存句柄

.DLL命令 GlobalLock, 整数型, "kernel32.dll", "GlobalLock", 公开, 锁定全局内存
    .参数 hMem, 整数型, , 内存句柄

.DLL命令 GlobalUnlock, 逻辑型, "kernel32.dll", "GlobalUnlock", 公开, 解锁全局内存
    .参数 hMem, 整数型, , 内存句柄

.DLL命令 VirtualAlloc, 整数型, "kernel32.dll", "VirtualAlloc", 公开, 分配虚拟内存
    .参数 lpAddress, 整数型, , 地址
    .参数 dwSize, 整数型, , 字节数
    .参数 flAllocationType, 整数型, , 分配方式
    .参数 flProtect, 整数型, , 保护属性

.DLL命令 VirtualFree, 逻辑型, "kernel32.dll", "VirtualFree", 公开, 释放虚拟内存
    .参数 lpAddress, 整数型, , 地址
    .参数 dwSize, 整数型, , 字节数
    .参数 dwFreeType, 整数型, , 释放方式

.DLL命令 RtlMoveMemory, , "kernel32.dll", "RtlMoveMemory", 公开, 复制内存
    .参数 Destination, 整数型, , 目标地址
    .参数 Source, 整数型, , 源地址
    .参数 Length, 整数型, , 字节数

.DLL命令 lstrlenA, 整数型, "kernel32.dll", "lstrlenA", 公开, 取文本长度
    .参数 lpString, 文本型, , 文本

.DLL命令 lstrcpyA, 整数型, "kernel32.dll", "lstrcpyA", 公开, 复制文本
    .参数 lpString1, 文本型, , 目标缓冲区
    .参数 lpString2, 文本型, , 源文本

.DLL命令 CreateThread, 整数型, "kernel32.dll", "CreateThread", 公开, 创建线程
    .参数 lpThreadAttributes, 整数型, , 安全属性
    .参数 dwStackSize, 整数型, , 栈大小
    .参数 lpStartAddress, 整数型, , 线程函数
    .参数 lpParameter, 整数型, , 参数
    .参数 dwCreationFlags, 整数型, , 创建标志
    .参数 lpThreadId, 整数型, 传址, 线程标识符

.DLL命令 WaitForSingleObject, 整数型, "kernel32.dll", "WaitForSingleObject", 公开, 等待对象
    .参数 hHandle, 整数型, , 对象句柄
    .参数 dwMilliseconds, 整数型, , 超时毫秒数

.DLL命令 CreateEventA, 整数型, "kernel32.dll", "CreateEventA", 公开, 创建事件对象
    .参数 lpEventAttributes, 整数型, , 安全属性
    .参数 bManualReset, 逻辑型, , 手动复位
    .参数 bInitialState, 逻辑型, , 初始状态
    .参数 lpName, 文本型, , 名称

.DLL命令 OpenEventA, 整数型, "kernel32.dll", "OpenEventA", 公开, 打开事件对象
    .参数 dwDesiredAccess, 整数型, , 访问权限
    .参数 bInheritHandle, 逻辑型, , 可否继承
    .参数 lpName, 文本型, , 名称

.DLL命令 CreateMutexA, 整数型, "kernel32.dll", "CreateMutexA", 公开, 创建互斥对象
    .参数 lpMutexAttributes, 整数型, , 安全属性
    .参数 bInitialOwner, 逻辑型, , 初始拥有
    .参数 lpName, 文本型, , 名称

.DLL命令 Beep, 逻辑型, "kernel32.dll", "Beep", 公开, 发出蜂鸣声
    .参数 dwFreq, 整数型, , 频率
    .参数 dwDuration, 整数型, , 毫秒数

.DLL命令 QueryPerformanceCounter, 逻辑型, "kernel32.dll", "QueryPerformanceCounter", 公开, 取高精度计数
    .参数 lpPerformanceCount, 长整数型, 传址, 计数

.DLL命令 QueryPerformanceFrequency, 逻辑型, "kernel32.dll", "QueryPerformanceFrequency", 公开, 取高精度计数频率
    .参数 lpFrequency, 长整数型, 传址, 频率

.DLL命令 MulDiv, 整数型, "kernel32.dll", "MulDiv", 公开, 先乘后除
    .参数 nNumber, 整数型, , 被乘数
    .参数 nNumerator, 整数型, , 乘数
    .参数 nDenominator, 整数型, , 除数

.DLL命令 MessageBoxA, 整数型, "user32.dll", "MessageBoxA", 公开, 弹出信息框
    .参数 hWnd, 整数型, , 父窗口句柄
    .参数 lpText, 文本型, , 提示文本
    .参数 lpCaption, 文本型, , 标题
    .参数 uType, 整数型, , 按钮与图标

.DLL命令 FindWindowA, 整数型, "user32.dll", "FindWindowA", 公开, 按类名和标题找顶层窗口
    .参数 lpClassName, 文本型, , 类名
    .参数 lpWindowName, 文本型, , 标题

.DLL命令 FindWindowExA, 整数型, "user32.dll", "FindWindowExA", 公开, 找子窗口
    .参数 hWndParent, 整数型, , 父窗口
    .参数 hWndChildAfter, 整数型, , 从此子窗口之后
    .参数 lpszClass, 文本型, , 类名
    .参数 lpszWindow, 文本型, , 标题

.DLL命令 GetWindowTextA, 整数型, "user32.dll", "GetWindowTextA", 公开, 取窗口标题
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 lpString, 文本型, , 缓冲区
    .参数 nMaxCount, 整数型, , 缓冲区长度

.DLL命令 SetWindowTextA, 逻辑型, "user32.dll", "SetWindowTextA", 公开, 置窗口标题
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 lpString, 文本型, , 标题

.DLL命令 GetWindowTextLengthA, 整数型, "user32.dll", "GetWindowTextLengthA", 公开, 取窗口标题长度
    .参数 hWnd, 整数型, , 窗口句柄

.DLL命令 GetClassNameA, 整数型, "user32.dll", "GetClassNameA", 公开, 取窗口类名
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 lpClassName, 文本型, , 缓冲区
    .参数 nMaxCount, 整数型, , 缓冲区长度

.DLL命令 SendMessageA, 整数型, "user32.dll", "SendMessageA", 公开, 发送消息并等待处理
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 Msg, 整数型, , 消息
    .参数 wParam, 整数型, , 参数一
    .参数 lParam, 整数型, , 参数二

.DLL命令 PostMessageA, 逻辑型, "user32.dll", "PostMessageA", 公开, 投递消息
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 Msg, 整数型, , 消息
    .参数 wParam, 整数型, , 参数一
    .参数 lParam, 整数型, , 参数二

.DLL命令 CreateWindowExA, 整数型, "user32.dll", "CreateWindowExA", 公开, 创建窗口
    .参数 dwExStyle, 整数型, , 扩展风格
    .参数 lpClassName, 文本型, , 类名
    .参数 lpWindowName, 文本型, , 标题
    .参数 dwStyle, 整数型, , 风格
    .参数 x, 整数型, , 左边
    .参数 y, 整数型, , 顶边
    .参数 nWidth, 整数型, , 宽度
    .参数 nHeight, 整数型, , 高度
    .参数 hWndParent, 整数型, , 父窗口
    .参数 hMenu, 整数型, , 菜单或子窗口标识
    .参数 hInstance, 整数型, , 实例句柄
    .参数 lpParam, 整数型, , 创建参数

.DLL命令 DestroyWindow, 逻辑型, "user32.dll", "DestroyWindow", 公开, 销毁窗口
    .参数 hWnd, 整数型, , 窗口句柄

.DLL命令 ShowWindow, 逻辑型, "user32.dll", "ShowWindow", 公开, 显示或隐藏窗口
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 nCmdShow, 整数型, , 显示方式

.DLL命令 UpdateWindow, 逻辑型, "user32.dll", "UpdateWindow", 公开, 立即重画窗口
    .参数 hWnd, 整数型, , 窗口句柄

.DLL命令 MoveWindow, 逻辑型, "user32.dll", "MoveWindow", 公开, 移动窗口
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 X, 整数型, , 左边
    .参数 Y, 整数型, , 顶边
    .参数 nWidth, 整数型, , 宽度
    .参数 nHeight, 整数型, , 高度
    .参数 bRepaint, 逻辑型, , 是否重画

.DLL命令 SetWindowPos, 逻辑型, "user32.dll", "SetWindowPos", 公开, 置窗口位置与层次
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 hWndInsertAfter, 整数型, , 层次
    .参数 X, 整数型, , 左边
    .参数 Y, 整数型, , 顶边
    .参数 cx, 整数型, , 宽度
    .参数 cy, 整数型, , 高度
    .参数 uFlags, 整数型, , 标志

.DLL命令 GetWindowRect, 逻辑型, "user32.dll", "GetWindowRect", 公开, 取窗口矩形（屏幕坐标）
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 lpRect, RECT, 传址, 矩形

.DLL命令 GetClientRect, 逻辑型, "user32.dll", "GetClientRect", 公开, 取客户区矩形
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 lpRect, RECT, 传址, 矩形

.DLL命令 IsWindow, 逻辑型, "user32.dll", "IsWindow", 公开, 判断窗口是否存在
    .参数 hWnd, 整数型, , 窗口句柄

.DLL命令 IsWindowVisible, 逻辑型, "user32.dll", "IsWindowVisible", 公开, 判断窗口是否可见
    .参数 hWnd, 整数型, , 窗口句柄

.DLL命令 IsIconic, 逻辑型, "user32.dll", "IsIconic", 公开, 判断窗口是否最小化
    .参数 hWnd, 整数型, , 窗口句柄

.DLL命令 EnableWindow, 逻辑型, "user32.dll", "EnableWindow", 公开, 允许或禁止窗口
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 bEnable, 逻辑型, , 允许

.DLL命令 GetForegroundWindow, 整数型, "user32.dll", "GetForegroundWindow", 公开, 取前台窗口

.DLL命令 SetForegroundWindow, 逻辑型, "user32.dll", "SetForegroundWindow", 公开, 置前台窗口
    .参数 hWnd, 整数型, , 窗口句柄

.DLL命令 GetDesktopWindow, 整数型, "user32.dll", "GetDesktopWindow", 公开, 取桌面窗口

.DLL命令 GetParent, 整数型, "user32.dll", "GetParent", 公开, 取父窗口
    .参数 hWnd, 整数型, , 窗口句柄

.DLL命令 SetParent, 整数型, "user32.dll", "SetParent", 公开, 置父窗口
    .参数 hWndChild, 整数型, , 子窗口
    .参数 hWndNewParent, 整数型, , 新父窗口

.DLL命令 GetWindowLongA, 整数型, "user32.dll", "GetWindowLongA", 公开, 取窗口信息
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 nIndex, 整数型, , 信息索引

.DLL命令 SetWindowLongA, 整数型, "user32.dll", "SetWindowLongA", 公开, 置窗口信息
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 nIndex, 整数型, , 信息索引
    .参数 dwNewLong, 整数型, , 新值

.DLL命令 GetCursorPos, 逻辑型, "user32.dll", "GetCursorPos", 公开, 取鼠标位置
    .参数 lpPoint, POINT, 传址, 位置

.DLL命令 SetCursorPos, 逻辑型, "user32.dll", "SetCursorPos", 公开, 置鼠标位置
    .参数 X, 整数型, , 横坐标
    .参数 Y, 整数型, , 纵坐标

.DLL命令 WindowFromPoint, 整数型, "user32.dll", "WindowFromPoint", 公开, 取某点处的窗口
    .参数 x, 整数型, , 横坐标
    .参数 y, 整数型, , 纵坐标

.DLL命令 GetAsyncKeyState, 短整数型, "user32.dll", "GetAsyncKeyState", 公开, 取按键状态
    .参数 vKey, 整数型, , 虚拟键码

.DLL命令 keybd_event, , "user32.dll", "keybd_event", 公开, 模拟键盘动作
    .参数 bVk, 字节型, , 虚拟键码
    .参数 bScan, 字节型, , 扫描码
    .参数 dwFlags, 整数型, , 标志
    .参数 dwExtraInfo, 整数型, , 附加信息

.DLL命令 mouse_event, , "user32.dll", "mouse_event", 公开, 模拟鼠标动作
    .参数 dwFlags, 整数型, , 标志
    .参数 dx, 整数型, , 横向
    .参数 dy, 整数型, , 纵向
    .参数 dwData, 整数型, , 滚轮数据
    .参数 dwExtraInfo, 整数型, , 附加信息

.DLL命令 RegisterHotKey, 逻辑型, "user32.dll", "RegisterHotKey", 公开, 注册全局热键
    .参数 hWnd, 整数型, , 接收窗口
    .参数 id, 整数型, , 热键标识
    .参数 fsModifiers, 整数型, , 功能键
    .参数 vk, 整数型, , 虚拟键码

.DLL命令 UnregisterHotKey, 逻辑型, "user32.dll", "UnregisterHotKey", 公开, 注销全局热键
    .参数 hWnd, 整数型, , 接收窗口
    .参数 id, 整数型, , 热键标识

.DLL命令 GetMessageA, 逻辑型, "user32.dll", "GetMessageA", 公开, 取消息
    .参数 lpMsg, MSG, 传址, 消息
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 wMsgFilterMin, 整数型, , 最小消息
    .参数 wMsgFilterMax, 整数型, , 最大消息

.DLL命令 TranslateMessage, 逻辑型, "user32.dll", "TranslateMessage", 公开, 转换键盘消息
    .参数 lpMsg, MSG, 传址, 消息

.DLL命令 DispatchMessageA, 整数型, "user32.dll", "DispatchMessageA", 公开, 分派消息
    .参数 lpMsg, MSG, 传址, 消息

.DLL命令 PostQuitMessage, , "user32.dll", "PostQuitMessage", 公开, 投递退出消息
    .参数 nExitCode, 整数型, , 退出代码

.DLL命令 SetTimer, 整数型, "user32.dll", "SetTimer", 公开, 创建时钟
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 nIDEvent, 整数型, , 时钟标识
    .参数 uElapse, 整数型, , 周期毫秒数
    .参数 lpTimerFunc, 整数型, , 回调函数

.DLL命令 KillTimer, 逻辑型, "user32.dll", "KillTimer", 公开, 销毁时钟
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 uIDEvent, 整数型, , 时钟标识

.DLL命令 GetDC, 整数型, "user32.dll", "GetDC", 公开, 取设备场景
    .参数 hWnd, 整数型, , 窗口句柄

.DLL命令 ReleaseDC, 整数型, "user32.dll", "ReleaseDC", 公开, 释放设备场景
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 hDC, 整数型, , 设备场景

.DLL命令 GetSystemMetrics, 整数型, "user32.dll", "GetSystemMetrics", 公开, 取系统尺寸
    .参数 nIndex, 整数型, , 尺寸索引

.DLL命令 OpenClipboard, 逻辑型, "user32.dll", "OpenClipboard", 公开, 打开剪贴板
    .参数 hWndNewOwner, 整数型, , 拥有窗口

.DLL命令 CloseClipboard, 逻辑型, "user32.dll", "CloseClipboard", 公开, 关闭剪贴板

.DLL命令 EmptyClipboard, 逻辑型, "user32.dll", "EmptyClipboard", 公开, 清空剪贴板

.DLL命令 GetClipboardData, 整数型, "user32.dll", "GetClipboardData", 公开, 取剪贴板数据
    .参数 uFormat, 整数型, , 格式

.DLL命令 SetClipboardData, 整数型, "user32.dll", "SetClipboardData", 公开, 置剪贴板数据
    .参数 uFormat, 整数型, , 格式
    .参数 hMem, 整数型, , 内存句柄

.DLL命令 BitBlt, 逻辑型, "gdi32.dll", "BitBlt", 公开, 复制位图块
    .参数 hDestDC, 整数型, , 目标场景
    .参数 x, 整数型, , 目标左边
    .参数 y, 整数型, , 目标顶边
    .参数 nWidth, 整数型, , 宽度
    .参数 nHeight, 整数型, , 高度
    .参数 hSrcDC, 整数型, , 源场景
    .参数 xSrc, 整数型, , 源左边
    .参数 ySrc, 整数型, , 源顶边
    .参数 dwRop, 整数型, , 光栅操作

.DLL命令 CreateCompatibleDC, 整数型, "gdi32.dll", "CreateCompatibleDC", 公开, 创建兼容设备场景
    .参数 hdc, 整数型, , 参照场景

.DLL命令 CreateCompatibleBitmap, 整数型, "gdi32.dll", "CreateCompatibleBitmap", 公开, 创建兼容位图
    .参数 hdc, 整数型, , 设备场景
    .参数 nWidth, 整数型, , 宽度
    .参数 nHeight, 整数型, , 高度

.DLL命令 SelectObject, 整数型, "gdi32.dll", "SelectObject", 公开, 选入绘图对象
    .参数 hdc, 整数型, , 设备场景
    .参数 hObject, 整数型, , 对象

.DLL命令 DeleteObject, 逻辑型, "gdi32.dll", "DeleteObject", 公开, 删除绘图对象
    .参数 hObject, 整数型, , 对象

.DLL命令 DeleteDC, 逻辑型, "gdi32.dll", "DeleteDC", 公开, 删除设备场景
    .参数 hdc, 整数型, , 设备场景

.DLL命令 GetPixel, 整数型, "gdi32.dll", "GetPixel", 公开, 取像素颜色
    .参数 hdc, 整数型, , 设备场景
    .参数 x, 整数型, , 横坐标
    .参数 y, 整数型, , 纵坐标

.DLL命令 SetPixel, 整数型, "gdi32.dll", "SetPixel", 公开, 置像素颜色
    .参数 hdc, 整数型, , 设备场景
    .参数 x, 整数型, , 横坐标
    .参数 y, 整数型, , 纵坐标
    .参数 crColor, 整数型, , 颜色

.DLL命令 TextOutA, 逻辑型, "gdi32.dll", "TextOutA", 公开, 输出文本
    .参数 hdc, 整数型, , 设备场景
    .参数 x, 整数型, , 左边
    .参数 y, 整数型, , 顶边
    .参数 lpString, 文本型, , 文本
    .参数 nCount, 整数型, , 字节数

.DLL命令 SetTextColor, 整数型, "gdi32.dll", "SetTextColor", 公开, 置文本颜色
    .参数 hdc, 整数型, , 设备场景
    .参数 crColor, 整数型, , 颜色

.DLL命令 SetBkMode, 整数型, "gdi32.dll", "SetBkMode", 公开, 置背景模式
    .参数 hdc, 整数型, , 设备场景
    .参数 nBkMode, 整数型, , 模式

.DLL命令 CreateSolidBrush, 整数型, "gdi32.dll", "CreateSolidBrush", 公开, 创建实心画刷
    .参数 crColor, 整数型, , 颜色

.DLL命令 CreatePen, 整数型, "gdi32.dll", "CreatePen", 公开, 创建画笔
    .参数 nPenStyle, 整数型, , 风格
    .参数 nWidth, 整数型, , 宽度
    .参数 crColor, 整数型, , 颜色

.DLL命令 Rectangle, 逻辑型, "gdi32.dll", "Rectangle", 公开, 画矩形
    .参数 hdc, 整数型, , 设备场景
    .参数 X1, 整数型, , 左边
    .参数 Y1, 整数型, , 顶边
    .参数 X2, 整数型, , 右边
    .参数 Y2, 整数型, , 底边

.DLL命令 GetDeviceCaps, 整数型, "gdi32.dll", "GetDeviceCaps", 公开, 取设备能力
    .参数 hdc, 整数型, , 设备场景
    .参数 nIndex, 整数型, , 能力索引

.DLL命令 ShellExecuteA, 整数型, "shell32.dll", "ShellExecuteA", 公开, 以关联程序打开文件或网址
    .参数 hwnd, 整数型, , 父窗口
    .参数 lpOperation, 文本型, , 操作，如open
    .参数 lpFile, 文本型, , 文件或网址
    .参数 lpParameters, 文本型, , 参数
    .参数 lpDirectory, 文本型, , 目录
    .参数 nShowCmd, 整数型, , 显示方式

.DLL命令 Shell_NotifyIconA, 逻辑型, "shell32.dll", "Shell_NotifyIconA", 公开, 托盘图标操作
    .参数 dwMessage, 整数型, , 操作
    .参数 lpData, NOTIFYICONDATA, 传址, 图标数据

.DLL命令 SHGetSpecialFolderPathA, 逻辑型, "shell32.dll", "SHGetSpecialFolderPathA", 公开, 取特殊目录
    .参数 hwndOwner, 整数型, , 父窗口
    .参数 lpszPath, 文本型, , 缓冲区
    .参数 nFolder, 整数型, , 目录标识
    .参数 fCreate, 逻辑型, , 不存在时创建

.DLL命令 DragAcceptFiles, , "shell32.dll", "DragAcceptFiles", 公开, 允许窗口接收拖放文件
    .参数 hWnd, 整数型, , 窗口句柄
    .参数 fAccept, 逻辑型, , 允许

.DLL命令 DragQueryFileA, 整数型, "shell32.dll", "DragQueryFileA", 公开, 取拖放的文件名
    .参数 hDrop, 整数型, , 拖放句柄
    .参数 iFile, 整数型, , 文件序号
    .参数 lpszFile, 文本型, , 缓冲区
    .参数 cch, 整数型, , 缓冲区长度

.DLL命令 ShellAboutA, 整数型, "shell32.dll", "ShellAboutA", 公开, 显示标准关于框
    .参数 hWnd, 整数型, , 父窗口
    .参数 szApp, 文本型, , 标题
    .参数 szOtherStuff, 文本型, , 附加文本
    .参数 hIcon, 整数型, , 图标

.DLL命令 RegOpenKeyExA, 整数型, "advapi32.dll", "RegOpenKeyExA", 公开, 打开注册表项
    .参数 hKey, 整数型, , 根键
    .参数 lpSubKey, 文本型, , 子键
    .参数 ulOptions, 整数型, , 保留
    .参数 samDesired, 整数型, , 访问权限
    .参数 phkResult, 整数型, 传址, 打开的项

.DLL命令 RegCreateKeyExA, 整数型, "advapi32.dll", "RegCreateKeyExA", 公开, 创建注册表项
    .参数 hKey, 整数型, , 根键
    .参数 lpSubKey, 文本型, , 子键
    .参数 Reserved, 整数型, , 保留
    .参数 lpClass, 文本型, , 类名
    .参数 dwOptions, 整数型, , 选项
    .参数 samDesired, 整数型, , 访问权限
    .参数 lpSecurityAttributes, 整数型, , 安全属性
    .参数 phkResult, 整数型, 传址, 创建的项
    .参数 lpdwDisposition, 整数型, 传址, 新建或打开

.DLL命令 RegQueryValueExA, 整数型, "advapi32.dll", "RegQueryValueExA", 公开, 读注册表值
    .参数 hKey, 整数型, , 项
    .参数 lpValueName, 文本型, , 值名
    .参数 lpReserved, 整数型, , 保留
    .参数 lpType, 整数型, 传址, 值类型
    .参数 lpData, 字节型, 传址, 数据
    .参数 lpcbData, 整数型, 传址, 数据长度

.DLL命令 RegSetValueExA, 整数型, "advapi32.dll", "RegSetValueExA", 公开, 写注册表值
    .参数 hKey, 整数型, , 项
    .参数 lpValueName, 文本型, , 值名
    .参数 Reserved, 整数型, , 保留
    .参数 dwType, 整数型, , 值类型
    .参数 lpData, 字节型, 传址, 数据
    .参数 cbData, 整数型, , 数据长度

.DLL命令 RegDeleteValueA, 整数型, "advapi32.dll", "RegDeleteValueA", 公开, 删除注册表值
    .参数 hKey, 整数型, , 项
    .参数 lpValueName, 文本型, , 值名

.DLL命令 RegDeleteKeyA, 整数型, "advapi32.dll", "RegDeleteKeyA", 公开, 删除注册表项
    .参数 hKey, 整数型, , 根键
    .参数 lpSubKey, 文本型, , 子键

.DLL命令 RegCloseKey, 整数型, "advapi32.dll", "RegCloseKey", 公开, 关闭注册表项
    .参数 hKey, 整数型, , 项

.DLL命令 GetUserNameA, 逻辑型, "advapi32.dll", "GetUserNameA", 公开, 取当前用户名
    .参数 lpBuffer, 文本型, , 缓冲区
    .参数 pcbBuffer, 整数型, 传址, 缓冲区长度

.数据类型 RECT, 公开, 矩形
    .成员 left, 整数型, , , 左边
    .成员 top, 整数型, , , 顶边
    .成员 right, 整数型, , , 右边
    .成员 bottom, 整数型, , , 底边

.数据类型 POINT, 公开, 点
    .成员 x, 整数型, , , 横坐标
    .成员 y, 整数型, , , 纵坐标

.数据类型 SIZE, 公开, 尺寸
    .成员 cx, 整数型, , , 宽度
    .成员 cy, 整数型, , , 高度

.数据类型 SYSTEMTIME, 公开, 系统时间
    .成员 wYear, 短整数型, , , 年
    .成员 wMonth, 短整数型, , , 月
    .成员 wDayOfWeek, 短整数型, , , 星期
    .成员 wDay, 短整数型, , , 日
    .成员 wHour, 短整数型, , , 时
    .成员 wMinute, 短整数型, , , 分
    .成员 wSecond, 短整数型, , , 秒
    .成员 wMilliseconds, 短整数型, , , 毫秒

.数据类型 MSG, 公开, 窗口消息
    .成员 hwnd, 整数型, , , 窗口句柄
    .成员 message, 整数型, , , 消息
    .成员 wParam, 整数型, , , 参数一
    .成员 lParam, 整数型, , , 参数二
    .成员 time, 整数型, , , 时间
    .成员 pt, POINT, , , 鼠标位置

.数据类型 OSVERSIONINFO, 公开, 系统版本信息
    .成员 dwOSVersionInfoSize, 整数型, , , 本结构长度
    .成员 dwMajorVersion, 整数型, , , 主版本
    .成员 dwMinorVersion, 整数型, , , 次版本
    .成员 dwBuildNumber, 整数型, , , 构建号
    .成员 dwPlatformId, 整数型, , , 平台
    .成员 szCSDVersion, 字节型, , "128", 补丁说明

.数据类型 NOTIFYICONDATA, 公开, 托盘图标数据
    .成员 cbSize, 整数型, , , 本结构长度
    .成员 hWnd, 整数型, , , 接收窗口
    .成员 uID, 整数型, , , 图标标识
    .成员 uFlags, 整数型, , , 有效成员
    .成员 uCallbackMessage, 整数型, , , 回调消息
    .成员 hIcon, 整数型, , , 图标
    .成员 szTip, 字节型, , "64", 提示文本

.数据类型 SECURITY_ATTRIBUTES, 公开, 安全属性
    .成员 nLength, 整数型, , , 本结构长度
    .成员 lpSecurityDescriptor, 整数型, , , 安全描述符
    .成员 bInheritHandle, 逻辑型, , , 可否继承

.数据类型 WINDOWPLACEMENT, 公开, 窗口位置
    .成员 length, 整数型, , , 本结构长度
    .成员 flags, 整数型, , , 标志
    .成员 showCmd, 整数型, , , 显示状态
    .成员 ptMinPosition, POINT, , , 最小化位置
    .成员 ptMaxPosition, POINT, , , 最大化位置
    .成员 rcNormalPosition, RECT, , , 正常位置

.常量 MAX_PATH, "260", , 路径的最大长度
.常量 MB_OK, "0", , 信息框：确定按钮
.常量 MB_OKCANCEL, "1", , 信息框：确定、取消
.常量 MB_YESNO, "4", , 信息框：是、否
.常量 MB_ICONERROR, "16", , 信息框：错误图标
.常量 MB_ICONQUESTION, "32", , 信息框：问号图标
.常量 MB_ICONWARNING, "48", , 信息框：警告图标
.常量 MB_ICONINFORMATION, "64", , 信息框：信息图标
.常量 IDOK, "1", , 按下了确定
.常量 IDCANCEL, "2", , 按下了取消
.常量 IDYES, "6", , 按下了是
.常量 IDNO, "7", , 按下了否
.常量 WM_SETTEXT, "12", , 置窗口文本
.常量 WM_GETTEXT, "13", , 取窗口文本
.常量 WM_CLOSE, "16", , 关闭窗口
.常量 WM_QUIT, "18", , 退出消息循环
.常量 WM_KEYDOWN, "256", , 按下键
.常量 WM_KEYUP, "257", , 放开键
.常量 WM_COMMAND, "273", , 命令
.常量 WM_TIMER, "275", , 时钟
.常量 WM_LBUTTONDOWN, "513", , 按下鼠标左键
.常量 WM_HOTKEY, "786", , 热键
.常量 SW_HIDE, "0", , 隐藏
.常量 SW_SHOWNORMAL, "1", , 正常显示
.常量 SW_SHOWMINIMIZED, "2", , 最小化显示
.常量 SW_SHOWMAXIMIZED, "3", , 最大化显示
.常量 SW_SHOW, "5", , 显示
.常量 SW_RESTORE, "9", , 还原
.常量 GENERIC_READ, "-2147483648", , 读访问（#80000000）
.常量 GENERIC_WRITE, "1073741824", , 写访问（#40000000）
.常量 OPEN_EXISTING, "3", , 打开已有文件
.常量 CREATE_ALWAYS, "2", , 总是新建文件
.常量 INVALID_HANDLE_VALUE, "-1", , 无效句柄
.常量 HKEY_CURRENT_USER, "-2147483647", , 注册表根键（#80000001）
.常量 HKEY_LOCAL_MACHINE, "-2147483646", , 注册表根键（#80000002）
.常量 MOD_ALT, "1", , 热键功能键 Alt
.常量 MOD_CONTROL, "2", , 热键功能键 Ctrl
.常量 MOD_SHIFT, "4", , 热键功能键 Shift
.常量 SRCCOPY, "13369376", , 位块复制（#CC0020）
.常量 INFINITE, "-1", , 无限等待
