#include "lin_cfg.h"

#ifdef _LINMASTER
    #define _LINAC_
#else
#define _LINAC_ extern
#endif

#ifndef _MASTERNODE				// if master then frame data direction is twisted
	#define RESPOND (1)
	#define RECEIVE (2)
#else
	#define RESPOND (2)
	#define RECEIVE (1)
#endif

#ifdef _MCHIPC18
    #define CONST_ROM const rom
#else
    #define CONST_ROM const
#endif

#define kAssignNAD						0xB0
#define kAssignFrameID				0xB1
#define kReadByID							0xB2
#define kConditionalNADChange	0xB3
#define kDumpRequest					0xB4
#define	kRSID_pAdder					0x40

#define LD_SUCCESS 	0			// The call was successfully carried out.
#define LD_NEGATIVE 1 		// The call failed, more information can be found by parsing error_code.
#define LD_NO_RESPONSE 2	// No response was received on the request.
#define	LD_OVERWRITTEN 3	// The slave response frame has been overwritten by another operation, i.e. the result is lost.
#define LD_IN_PROGRESS 	0	// The transmission is not yet completed.
#define LD_COMPLETED 		1	// The transmission has completed successfully (and
                                           // you can issue a new ld_send_message call).

#define LD_FAILED 			2	// The transmission ended in an error. The data was
                                           // only partially sent. (You can make a new call to ld_send_message.)

#define l_bool unsigned
#define l_u8	unsigned char
#define l_u16 unsigned int
#define	l_u32 unsigned long
#define l_ifc_handle l_u8

typedef union
{
	l_u16 w;
	struct
	{
		l_u8  lo;
		l_u8  hi;
	}b;
}u_wb;

/* ****************************************************************** */
/*          USART / Timer specific defines                            */
/* ****************************************************************** */

// #define kLinTimeBase 5.0ms
// #define kLinBaudrate  19200
#define kLinVersion 2.0

/* ****************************************************************** */
/* *         system specific handle description                     * */
/* ****************************************************************** */

extern volatile l_u8  idnumber_b;
#define SetupLinDrv(handle)  handle

#define kCEM_Cmd_handle 1
#define kCEM_Cmd_id 0x10
#define kCEM_Cmd_pid 0x50
#define kCEM_Cmd_len 2
#define kCEM_Cmd_mode RESPOND
 _LINAC_ l_u8 CEM_Cmd_pid ;

#define kLSM_State_handle 2
#define kLSM_State_id 0x11
#define kLSM_State_pid 0x11
#define kLSM_State_len 5
#define kLSM_State_mode RECEIVE
 _LINAC_ l_u8 LSM_State_pid ;

#define kRSM_State_handle 3
#define kRSM_State_id 0x3C
#define kRSM_State_pid 0x3C
#define kRSM_State_len 1
#define kRSM_State_mode RECEIVE
 _LINAC_ l_u8 RSM_State_pid ;

#define kMaxHandle 3

/* ****************************************************************** */
/*        typedef frame related structure                             */
/* ****************************************************************** */

typedef struct
{
	l_u8 	Mode : 4;
	l_u8	: 4;
	l_u8 	Level : 8;
} _c_CEM_CmdType;


typedef struct
{
	l_bool	Switch : 1;
	l_u8	: 3;
	l_u16 	Position : 12;
	l_u8	: 8;
	l_u8	Serial[2];
} _c_LSM_StateType;


typedef struct
{
	l_u8 	RightOnly : 3;
} _c_RSM_StateType;


/* ****************************************************************** */
/*        typedef frame related unions                             */
/* ****************************************************************** */

typedef union
{
     l_u8  _c[kCEM_Cmd_len];
     _c_CEM_CmdType CEM_Cmd;
} _c_CEM_CmdBuf;


typedef union
{
     l_u8  _c[kLSM_State_len];
     _c_LSM_StateType LSM_State;
} _c_LSM_StateBuf;


typedef union
{
     l_u8  _c[kRSM_State_len];
     _c_RSM_StateType RSM_State;
} _c_RSM_StateBuf;


/* ****************************************************************** */
/*        frame related signal defines                               */
/* ****************************************************************** */




